#pragma once
// TForm17 ("ファイル名の変更"): the name, first number, step, digits and the
// range of page buttons of the numbered renaming. The result is the Tag of
// SpeedButton1: 1 rename, 0 cancelled.

#include "platform/controls.h"
#include "tools/numbered_rename_plan.h"

#include <QDialog>

class QLineEdit;

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    void FormShow();          // notes the count, the current page and the step
    void Edit5Change();       // the preview Edit7
    void SpeedButton1Click(); // "OK": check, then close with Tag 1
    void SpeedButton2Click(); // "キャンセル"
    void SpeedButton3Click(); // "このページだけ変更": the range is the current page

    tools::NumberedRenameFields fields() const;
    void setFields(const tools::NumberedRenameFields& f);

    QLineEdit* Edit1 = nullptr; // new base name
    QLineEdit* Edit2 = nullptr; // first number
    QLineEdit* Edit3 = nullptr; // step
    QLineEdit* Edit4 = nullptr; // digits
    QLineEdit* Edit5 = nullptr; // first page button, 1-based
    QLineEdit* Edit6 = nullptr; // last page button, 1-based
    QLineEdit* Edit7 = nullptr; // preview: the number of the last page (disabled)
    platform::Label* Label8 = nullptr; // why the last check refused (shown after a beep)
    platform::SpeedButton* SpeedButton1 = nullptr; // "OK"
    platform::SpeedButton* SpeedButton2 = nullptr; // "キャンセル"
    platform::SpeedButton* SpeedButton3 = nullptr; // "このページだけ変更"
    tools::NumberedRenameLimits limits; // the Tags of Edit6, Edit5 and Edit3 at opening

protected:
    void showEvent(QShowEvent* e) override;

private:
    void accept_();
    QLineEdit* edit(const char* name, const QString& text, int x, int y, int w);
    void label(const QString& text, int x, int y, int w);
};

inline TForm17* Form17 = nullptr;
