#include "tools/forms/form18.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/log.h"
#include "tools/answer_sheet.h"
#include "tools/forms/window_on_demand.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextDocument>

TForm18::TForm18(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form18"));
    createComponents();
}

void TForm18::createComponents()
{
    resize(640, 480);
    auto* bar = new platform::Panel(this, QStringLiteral("Panel1"));
    bar->setAlign(platform::Align::Top);
    bar->setHeight(36);
    Label1 = new platform::Label(bar, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("[  ]の中に書いて、回答の書き込みボタンを左クリックしてください。"));
    Label1->setBounds(8, 10, 420, 18);
    SpeedButton1 = new platform::SpeedButton(bar, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("回答の書き込み"));
    SpeedButton1->setHint(QStringLiteral("CSV形式で保存"));
    SpeedButton1->setBounds(430, 4, 110, 28);
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton2 = new platform::SpeedButton(bar, QStringLiteral("SpeedButton2"));
    SpeedButton2->setCaption(QStringLiteral("中止する"));
    SpeedButton2->setHint(QStringLiteral("書き込みを中止して閉じる"));
    SpeedButton2->setBounds(544, 4, 90, 28);
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(0, 36, 640, 444);
}

void TForm18::setPage(const QString& pagePath, const QStringList& within)
{
    pagePath_ = pagePath;
    within_ = within;
    setWindowTitle(QFileInfo(pagePath).fileName());
}

void TForm18::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm18::FormShow()
{
    if (TForm1* main = TForm1::instance()) {
        const int width = main->width() - main->kabeRight->width();
        setGeometry(0, 0, qMax(200, width), qMax(150, main->height() - 35));
    }
    Memo1->setGeometry(0, 36, width(), height() - 36);
    SpeedButton1->setHint(QFileInfo(answersheet::AnswerCsvPath(pagePath_)).fileName() + QStringLiteral("に保存"));
    const std::optional<store::PageText> read = store::readPage(pagePath_);
    if (!read)
        qCWarning(lcPagora) << "answer sheet: cannot read" << pagePath_;
    else if (!read->readable())
        platform::showMessage(store::undecidablePageMessage(pagePath_), platform::MsgType::Warning);
    const std::optional<QString> page = read ? std::optional<QString>(read->text) : std::nullopt;
    // Widget text keeps lines with "\n"; the sheet's own lines are CR LF.
    Memo1->setPlainText(answersheet::SheetText(page.value_or(QString())).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TForm18::SpeedButton1Click()
{
    // The raw text keeps non-breaking spaces, which toPlainText would turn into blanks.
    QString memo = Memo1->document()->toRawText();
    memo.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const QString csv = answersheet::AnswerCsvPath(pagePath_);
    const QString name = QFileInfo(csv).fileName();
    switch (answersheet::AppendRow(csv, answersheet::BuildRow(memo), within_)) {
    case answersheet::AppendResult::Written:
        platform::showMessage(QStringLiteral("書き込み終了"));
        accept();
        return;
    case answersheet::AppendResult::EncodingRefused:
        platform::showMessage(name + QStringLiteral(" の文字コードでは回答を書き込めません。"), platform::MsgType::Warning);
        return;
    case answersheet::AppendResult::Unreadable:
        platform::showMessage(name + QStringLiteral(" を読み込めないため、回答を書き込みませんでした（今までの回答はそのまま残っています）。"),
                              platform::MsgType::Warning);
        return;
    case answersheet::AppendResult::WriteFailed:
        qCWarning(lcPagora) << "answer sheet: cannot write" << csv;
        platform::showMessage(name + QStringLiteral(" に書き込めませんでした。"), platform::MsgType::Warning);
        return;
    }
}

void TForm18::SpeedButton2Click()
{
    reject();
}

namespace answersheet {

void ShowAnswerSheet(const QString& pagePath)
{
    TForm1* main = TForm1::instance();
    windowOnDemand(Form18, main);
    // Where the page commands may write, checked again by the write itself.
    Form18->setPage(pagePath, main ? commands::writeRoots(*main).folders : QStringList());
    platform::execModal(Form18);
}

} // namespace answersheet
