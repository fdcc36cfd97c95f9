#include "tools/forms/form23.h"

#include "platform/seam.h"
#include "tools/programming_env.h"

#include <QFont>
#include <QUrl>

namespace {

platform::Label* label(QWidget* parent, const char* name, const QString& caption, int left, int top,
                       int width, int height, int pointSize)
{
    auto* l = new platform::Label(parent, QString::fromLatin1(name));
    QFont f = l->font();
    f.setPointSize(pointSize);
    l->setFont(f);
    l->setCaption(caption);
    l->setBounds(left, top, width, height);
    return l;
}

platform::BitBtn* button(QWidget* parent, const char* name, const QString& caption, int left, int modalResult)
{
    auto* b = new platform::BitBtn(parent, QString::fromLatin1(name));
    b->setCaption(caption);
    b->setBounds(left, 200, 170, 40);
    b->setModalResult(modalResult);
    return b;
}

} // namespace

TForm23::TForm23(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form23"));
    setWindowTitle(QStringLiteral("Zorblandでプログラミング"));
    setFixedSize(420, 260);

    Panel3 = new platform::Panel(this, QStringLiteral("Panel3"));
    Panel3->setBounds(10, 10, 400, 170);
    Panel3->setColor(QColor(255, 250, 230));
    Panel3->setBevelOuter(platform::Bevel::Raised);
    Panel3->setHint(QStringLiteral("ZorblandのWebページ"));
    Panel3->setCursor(Qt::PointingHandCursor);
    Label1 = label(Panel3, "Label1", QStringLiteral("LOGOでプログラミング"), 20, 15, 360, 36, 18);
    Label8 = label(Panel3, "Label8", QStringLiteral("Zorblandを起動してプログラミングしよう。"), 20, 65, 360, 28, 12);
    Label6 = label(Panel3, "Label6", tools::kZorblandWebPage, 20, 115, 360, 28, 11);
    Label6->setFontColor(Qt::blue);
    Label6->setHint(QStringLiteral("Zorblandのページを開きます。"));
    QFont linkFont = Label6->font();
    linkFont.setUnderline(true);
    Label6->setFont(linkFont);

    BitBtn3 = button(this, "BitBtn3", QStringLiteral("Zorblandの起動"), 30, platform::mrOk);
    BitBtn1 = button(this, "BitBtn1", QStringLiteral("とじる"), 220, platform::mrCancel);

    BitBtn3->onClick = [this] { BitBtn3Click(); };
    BitBtn1->onClick = [this] { BitBtn1Click(); };
    Label6->onClick = [this] { Label6Click(); };
    Panel3->onClick = [this] { Panel3Click(); };
}

void TForm23::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TForm23::FormShow()
{
    tools::LauncherResult.clear();
    BitBtn3->setFocus();
}

// The buttons' modal results close the dialog after these ran.
void TForm23::BitBtn3Click() { tools::LauncherResult = QStringLiteral("ZORB"); }
void TForm23::BitBtn1Click() { tools::LauncherResult.clear(); }

void TForm23::Label6Click() { platform::openUrl(QUrl(tools::kZorblandWebPage)); }
void TForm23::Panel3Click() { platform::openUrl(QUrl(tools::kZorblandWebPage)); }
