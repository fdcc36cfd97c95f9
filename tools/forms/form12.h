#pragma once
// TForm12: the page memo window. A small stay-on-top window that shows the
// memo (".%xt" beside the page) of the page being shown and lets the user
// overwrite or delete it. Its caption carries the memo's time, or "白紙" when
// the page has none; Edit1 the memo file's path. Handlers: tools/memo.cpp.
// An application-modal window blocks it like any other; a window that opens
// it while staying open itself (the editor) is made modal to the main window
// only, which leaves this one usable.

#include "platform/controls.h"

#include <QString>
#include <QWidget>

class QPlainTextEdit;

class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;             // the memo text
    platform::Panel* Panel1 = nullptr;           // bar below the memo
    platform::SpeedButton* SpeedButton1 = nullptr; // "上書き保存"
    platform::SpeedButton* SpeedButton2 = nullptr; // "メモの削除"
    QString Edit1;                               // path of the memo file

    // Memo1's text with CR LF line ends; non-breaking spaces kept.
    QString memoText() const;
    // Shows the lines of a memo file's text.
    void setMemoText(const QString& text);

    void FormShow();          // places the window along the main window's bottom
    void SpeedButton1Click(); // "上書き保存": Memo1 into the file of Edit1
    void SpeedButton2Click(); // "メモの削除": the file to the trash, window cleared and closed

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void createComponents();
};

inline TForm12* Form12 = nullptr;
