// The ruby dialog's component tree: the base text over the reading field,
// OK and キャンセル on the right.
#include "editor/forms/form13.h"

#include <QFont>
#include <QLineEdit>

TForm13::TForm13(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("ルビふり"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    setFixedSize(515, 86);
    createComponents();
}

void TForm13::createComponents()
{
    Label1 = new platform::Label(this, QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setPixelSize(32);
    Label1->setFont(big);
    Label1->setBounds(8, 4, 400, 40);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 52, 400, 26);

    SpeedButton1 = new platform::SpeedButton(this, QStringLiteral("SpeedButton1"));
    SpeedButton1->setCaption(QStringLiteral("OK"));
    SpeedButton1->setBounds(420, 8, 88, 32);
    SpeedButton2 = new platform::SpeedButton(this, QStringLiteral("SpeedButton2"));
    SpeedButton2->setCaption(QStringLiteral("キャンセル"));
    SpeedButton2->setBounds(420, 48, 88, 32);

    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    // Enter in the reading field means OK.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { SpeedButton1Click(); });
}
