#pragma once
// TForm13 "ルビふり": the ruby dialog of the page editor. Shows the selected
// base text large and takes its reading. Lives for the whole run.

#include "platform/controls.h"

#include <QDialog>
#include <QString>

class QLineEdit;

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);

    // Shows the dialog modally for the base text; the reading to insert, or
    // "" for nothing (cancel, Escape and the close box included).
    QString askReading(const QString& base);
    // Empties Label1 and Edit1, as before every use.
    void clearFields();

    void SpeedButton1Click();  // OK: Edit1 is the result
    void SpeedButton2Click();  // キャンセル: Edit1 emptied

    platform::Label* Label1 = nullptr;  // the base text, large
    QLineEdit* Edit1 = nullptr;         // the reading
    platform::SpeedButton* SpeedButton1 = nullptr;
    platform::SpeedButton* SpeedButton2 = nullptr;

private:
    void createComponents();
};

inline TForm13* Form13 = nullptr;
