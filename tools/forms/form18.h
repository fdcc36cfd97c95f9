#pragma once
// TForm18: the answer sheet. The caption holds the page's file name; the
// learner fills the bracketed slots of Memo1 and "回答の書き込み" appends one
// row to the page's answer CSV.

#include "platform/controls.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QPlainTextEdit;

class TForm18 : public QDialog {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    // The page whose last paragraph is the sheet (its full path; the caption
    // shows its file name). Its answers are written only inside within.
    void setPage(const QString& pagePath, const QStringList& within);
    QString pagePath() const { return pagePath_; }

    void FormShow();           // fills Memo1 from the page and sizes the window
    void SpeedButton1Click();  // "回答の書き込み": one CSV row, then close
    void SpeedButton2Click();  // "中止する": close without writing

    QPlainTextEdit* Memo1 = nullptr;
    platform::Label* Label1 = nullptr;
    platform::SpeedButton* SpeedButton1 = nullptr;
    platform::SpeedButton* SpeedButton2 = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void createComponents();
    QString pagePath_;
    QStringList within_;
};

inline TForm18* Form18 = nullptr;

namespace answersheet {
// The "ANSWER" page command: the sheet of the page at pagePath, modally.
void ShowAnswerSheet(const QString& pagePath);
} // namespace answersheet
