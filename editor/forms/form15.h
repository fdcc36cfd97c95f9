#pragma once
// TForm15: the link dialog of the page editor. Edit1 holds the link target
// and keeps it between uses; "参照" fills it from a file dialog. The result
// is the caption: the target after OK, empty otherwise.

#include "platform/controls.h"

#include <QDialog>
#include <QString>

class QLineEdit;

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);

    // Shows the dialog modally; the target, or "" after Cancel, Escape or
    // the close box.
    QString askTarget();
    QString caption() const { return caption_; }

    void BitBtn1Click();       // OK: the target into the caption
    void BitBtn2Click();       // Cancel: the caption emptied
    void SpeedButton1Click();  // 参照: Edit1 from the file dialog

    platform::Label* Label1 = nullptr;  // "リンク"
    QLineEdit* Edit1 = nullptr;         // the target
    platform::SpeedButton* SpeedButton1 = nullptr;  // 参照
    platform::BitBtn* BitBtn1 = nullptr;            // OK
    platform::BitBtn* BitBtn2 = nullptr;            // Cancel

private:
    void createComponents();
    QString caption_;  // carries the result; the title bar stays empty
};

inline TForm15* Form15 = nullptr;
