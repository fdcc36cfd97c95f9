#include "tools/forms/form7.h"

#include <QLineEdit>

TForm7::TForm7(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("名前の入力"));
    setFixedSize(360, 120);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(16, 16, 328, 28);
    BitBtn1 = new platform::BitBtn(this, QStringLiteral("BitBtn1"));
    BitBtn1->setCaption(QStringLiteral("名前登録"));
    BitBtn1->setBounds(60, 64, 110, 36);
    BitBtn1->setModalResult(platform::mrOk);
    BitBtn2 = new platform::BitBtn(this, QStringLiteral("BitBtn2"));
    BitBtn2->setCaption(QStringLiteral("閉じる"));
    BitBtn2->setBounds(190, 64, 110, 36);
    BitBtn2->setModalResult(platform::mrCancel);
}
