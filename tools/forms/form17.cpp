#include "tools/forms/form17.h"

#include "platform/seam.h"
#include "store/text.h"

#include <QLineEdit>
#include <QShowEvent>

TForm17::TForm17(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    setFixedSize(457, 240);
    label(QStringLiteral("（　）の数字を増加数で変更"), 16, 8, 300);
    label(QStringLiteral("変更名"), 16, 36, 120);
    label(QStringLiteral("数字"), 160, 36, 80);
    label(QStringLiteral("増加数"), 270, 36, 80);
    Edit1 = edit("Edit1", QStringLiteral("page"), 16, 56, 130);
    label(QStringLiteral("("), 150, 58, 8);
    Edit2 = edit("Edit2", QStringLiteral("100"), 160, 56, 90);
    label(QStringLiteral(")"), 254, 58, 8);
    Edit3 = edit("Edit3", QStringLiteral("1"), 270, 56, 60);
    label(QStringLiteral("桁数"), 340, 58, 40);
    Edit4 = edit("Edit4", QStringLiteral("3"), 384, 56, 50);
    label(QStringLiteral("変更開始ボタン"), 16, 98, 110);
    Edit5 = edit("Edit5", QStringLiteral("1"), 130, 96, 60);
    label(QStringLiteral("変更終了ボタン"), 200, 98, 110);
    Edit6 = edit("Edit6", QStringLiteral("1"), 314, 96, 60);
    label(QStringLiteral("("), 150, 138, 8);
    Edit7 = edit("Edit7", QStringLiteral("1"), 160, 136, 90);
    Edit7->setEnabled(false);
    label(QStringLiteral(")"), 254, 138, 8);
    Label8 = new platform::Label(this, QStringLiteral("Label8"));
    Label8->setBounds(16, 166, 425, 18);
    Label8->setFontColor(Qt::red);
    SpeedButton1 = new platform::SpeedButton(this, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("OK"));
    SpeedButton1->setBounds(16, 194, 100, 34);
    SpeedButton2 = new platform::SpeedButton(this, QStringLiteral("SpeedButton2"));
    SpeedButton2->setCaption(QStringLiteral("キャンセル"));
    SpeedButton2->setBounds(124, 194, 100, 34);
    SpeedButton3 = new platform::SpeedButton(this, QStringLiteral("SpeedButton3"));
    SpeedButton3->setCaption(QStringLiteral("このページだけ変更"));
    SpeedButton3->setBounds(290, 194, 150, 34);
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    SpeedButton3->onClick = [this] { SpeedButton3Click(); };
    for (QLineEdit* e : {Edit2, Edit3, Edit5, Edit6})
        connect(e, &QLineEdit::textChanged, this, [this] { Edit5Change(); });
}

QLineEdit* TForm17::edit(const char* name, const QString& text, int x, int y, int w)
{
    auto* e = new QLineEdit(text, this);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 28);
    return e;
}

void TForm17::label(const QString& text, int x, int y, int w)
{
    auto* l = new platform::Label(this);
    l->setCaption(text);
    l->setBounds(x, y, w, 20);
}

void TForm17::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

tools::NumberedRenameFields TForm17::fields() const
{
    return {Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text(), Edit6->text()};
}

void TForm17::setFields(const tools::NumberedRenameFields& f)
{
    Edit1->setText(f.name);
    Edit2->setText(f.first);
    Edit3->setText(f.step);
    Edit4->setText(f.digits);
    Edit5->setText(f.from);
    Edit6->setText(f.to);
}

void TForm17::FormShow()
{
    limits.pageCount = text::toInt(Edit6->text()).value_or(1);
    limits.currentPage = text::toInt(Edit5->text()).value_or(1);
    limits.stepAtOpen = text::toInt(Edit3->text()).value_or(1);
    SpeedButton1->setTag(0);
    Label8->setCaption(QString());
    Edit5Change();
}

void TForm17::Edit5Change()
{
    if (const std::optional<QString> preview = tools::previewNumber(fields()))
        Edit7->setText(*preview);
}

void TForm17::accept_()
{
    tools::NumberedRenameFields f = fields();
    QString message;
    const bool ok = tools::validateNumberedRename(f, limits, message);
    setFields(f);
    Label8->setCaption(message);
    if (!ok) {
        platform::beep();
        return;
    }
    SpeedButton1->setTag(1);
    done(QDialog::Accepted);
}

void TForm17::SpeedButton1Click()
{
    accept_();
}

void TForm17::SpeedButton2Click()
{
    SpeedButton1->setTag(0);
    done(QDialog::Rejected);
}

void TForm17::SpeedButton3Click()
{
    Edit5->setText(QString::number(limits.currentPage));
    Edit6->setText(Edit5->text());
    accept_();
}
