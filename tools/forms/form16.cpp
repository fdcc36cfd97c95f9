#include "tools/forms/form16.h"

#include "platform/seam.h"
#include "tools/posting.h"
#include "viewer/main_window.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QShowEvent>

namespace {

platform::Label* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w)
{
    auto* l = new platform::Label(parent, QString::fromLatin1(name));
    l->setCaption(text);
    l->setBounds(x, y, w, 20);
    return l;
}

} // namespace

TForm16::TForm16(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(640, 387);
    Label1 = makeLabel(this, "Label1", QStringLiteral("日 時"), 8, 12, 50);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(60, 8, 360, 28);
    SpeedButton1 = new platform::SpeedButton(this, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("日時の更新"));
    SpeedButton1->setBounds(428, 6, 100, 30);
    Label3 = makeLabel(this, "Label3", QStringLiteral("投稿者"), 8, 48, 50);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(60, 44, 240, 28);
    Label4 = makeLabel(this, "Label4", QStringLiteral("宛 名"), 8, 82, 600);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Panel3 = new platform::Panel(this, QStringLiteral("Panel3"));
    Panel3->setHeight(44);
    SpeedButton2 = new platform::SpeedButton(Panel3, QStringLiteral("SpeedButton2"));
    SpeedButton2->setCaption(QStringLiteral("投稿"));
    SpeedButton2->setHint(QStringLiteral("ページの中に書き込みします。"));
    SpeedButton2->setBounds(0, 6, 120, 32);
    SpeedButton3 = new platform::SpeedButton(Panel3, QStringLiteral("SpeedButton3"));
    SpeedButton3->setCaption(QStringLiteral("キャンセル"));
    SpeedButton3->setHint(QStringLiteral("投稿を中止する。"));
    SpeedButton3->setBounds(0, 6, 120, 32);
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    SpeedButton3->onClick = [this] { SpeedButton3Click(); };
    FormResize();
}

void TForm16::setPage(const QString& pagePath, const QString& title, const QStringList& within)
{
    Label2 = pagePath;
    WriteBounds = within;
    setWindowTitle(QFileInfo(pagePath).fileName());
    Label4->setCaption(QStringLiteral("「 ") + title + QStringLiteral(" 」 のページの中に投稿"));
}

void TForm16::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm16::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

void TForm16::FormShow()
{
    move(0, 0);
    if (TForm1* main = TForm1::instance())
        resize(qMax(320, main->width() - main->kabeRight->width()), height());
    Edit1->setText(tools::defaultDateText(QDateTime::currentDateTime()));
    Memo1->setFocus();
}

void TForm16::FormResize()
{
    Panel3->setBounds(0, height() - Panel3->height(), width(), Panel3->height());
    Memo1->setGeometry(8, 108, qMax(0, width() - 16), qMax(0, height() - 108 - Panel3->height() - 6));
    const int left = Panel3->width() / 2 - SpeedButton2->width() - 2;
    SpeedButton2->setLeft(left);
    SpeedButton3->setLeft(left + SpeedButton2->width() + 4);
}

void TForm16::SpeedButton1Click()
{
    Edit1->setText(tools::defaultDateText(QDateTime::currentDateTime()));
}

void TForm16::SpeedButton2Click()
{
    if (Memo1->toPlainText().isEmpty()) {
        platform::showMessage(QStringLiteral("投稿文がないと投稿できません。"), platform::MsgType::Information);
        return;
    }
    const QString entry = tools::buildPostEntry(Edit1->text(), Edit2->text(), Memo1->toPlainText());
    const QString problem = tools::postIntoFile(Label2, entry, WriteBounds);
    if (!problem.isEmpty()) {
        platform::showMessage(problem, platform::MsgType::Warning);
        return;
    }
    done(QDialog::Accepted);
}

void TForm16::SpeedButton3Click()
{
    done(QDialog::Rejected);
}
