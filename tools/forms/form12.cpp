// The page memo window's component tree.
#include "tools/forms/form12.h"

#include "store/files.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextDocument>

namespace {

constexpr int kClientWidth = 791;
constexpr int kClientHeight = 186;
constexpr int kBarHeight = 41;

} // namespace

TForm12::TForm12(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form12"));
    createComponents();
}

void TForm12::createComponents()
{
    resize(kClientWidth, kClientHeight);
    platform::enableAlign(this);
    Panel1 = new platform::Panel(this, QStringLiteral("Panel1"));
    Panel1->setAlign(platform::Align::Bottom);
    Panel1->setHeight(kBarHeight);
    SpeedButton1 = new platform::SpeedButton(Panel1, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("上書き保存"));
    SpeedButton1->setBounds(8, 6, 110, 29);
    SpeedButton2 = new platform::SpeedButton(Panel1, QStringLiteral("SpeedButton2"));
    SpeedButton2->setCaption(QStringLiteral("メモの削除"));
    SpeedButton2->setBounds(126, 6, 110, 29);
    // A speed button's click is the left button only.
    SpeedButton1->onClick = [this] {
        if (!SpeedButton1->rightPressed())
            SpeedButton1Click();
    };
    SpeedButton2->onClick = [this] {
        if (!SpeedButton2->rightPressed())
            SpeedButton2Click();
    };
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(16);
    Memo1->setFont(font);
    Memo1->setGeometry(0, 0, kClientWidth, kClientHeight - kBarHeight);
}

QString TForm12::memoText() const
{
    // The raw text keeps non-breaking spaces, which toPlainText would turn into blanks.
    QString text = Memo1->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void TForm12::setMemoText(const QString& text)
{
    // The file's lines, as a memo shows them: its last line end opens no empty line.
    Memo1->setPlainText(files::splitLines(text).join(QLatin1Char('\n')));
}

void TForm12::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm12::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Memo1->setGeometry(0, 0, width(), qMax(0, height() - kBarHeight));
}
