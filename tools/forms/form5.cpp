#include "tools/forms/form5.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QShowEvent>

TForm5::TForm5(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("順番の変更"));
    setWindowFlag(Qt::Tool);
    setFixedSize(258, 206);
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(16, 12, 24, 182);
    ScrollBar1->setInvertedControls(false);
    Memo1 = new QLineEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Memo1->setMaxLength(4);
    Memo1->setGeometry(56, 12, 80, 30);
    BitBtn1 = new platform::BitBtn(this, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral(" 移 動"));
    BitBtn1->setHint(QStringLiteral("移動して終える"));
    BitBtn1->setBounds(56, 60, 186, 36);
    BitBtn1->setModalResult(platform::mrOk);
    BitBtn2 = new platform::BitBtn(this, QStringLiteral("BitBtn2"));
    BitBtn2->setCaption(QStringLiteral("閉じる"));
    BitBtn2->setHint(QStringLiteral("移動しないで終える"));
    BitBtn2->setBounds(56, 106, 186, 36);
    BitBtn2->setModalResult(platform::mrCancel);
    SpeedButton1 = new platform::SpeedButton(this, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("順番数字_　の削除"));
    SpeedButton1->setHint(QStringLiteral("ファイル名につけた数字を削除する"));
    SpeedButton1->setBounds(56, 156, 186, 36);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
}

void TForm5::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TForm5::FormShow()
{
    Tag = 0;
    if (parentWidget()) // centred on the main window
        move(parentWidget()->geometry().center() - rect().center());
}

void TForm5::ScrollBar1Change()
{
    Memo1->setText(QString::number(ScrollBar1->value() + 1));
}

void TForm5::SpeedButton1Click()
{
    Tag = 1;
    done(QDialog::Rejected);
}
