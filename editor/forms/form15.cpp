// The link dialog's component tree: the target field with "参照" beside it,
// OK and Cancel below.
#include "editor/forms/form15.h"

#include <QFont>
#include <QLineEdit>

TForm15::TForm15(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form15"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    setFixedSize(480, 96);
    createComponents();
}

void TForm15::createComponents()
{
    Label1 = new platform::Label(this, QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("リンク"));
    Label1->setBounds(8, 14, 44, 20);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(56, 10, 340, 26);

    SpeedButton1 = new platform::SpeedButton(this, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("参照"));
    SpeedButton1->setBounds(404, 8, 68, 30);

    BitBtn1 = new platform::BitBtn(this, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral("OK"));
    BitBtn1->setBounds(236, 52, 110, 34);
    BitBtn1->setModalResult(platform::mrOk);
    BitBtn2 = new platform::BitBtn(this, QStringLiteral("BitBtn2"));
    BitBtn2->setCaption(QStringLiteral("キャンセル"));
    BitBtn2->setBounds(356, 52, 110, 34);
    BitBtn2->setModalResult(platform::mrCancel);

    BitBtn1->onClick = [this] { BitBtn1Click(); };
    BitBtn2->onClick = [this] { BitBtn2Click(); };
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    // Enter in the target field means OK.
    connect(Edit1, &QLineEdit::returnPressed, BitBtn1, &platform::BitBtn::click);
}
