#include "forms/other_forms.h"

#include <QString>

TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;
TForm9* Form9 = nullptr;
TForm10* Form10 = nullptr;
TForm11* Form11 = nullptr;
TForm12* Form12 = nullptr;
TForm13* Form13 = nullptr;
TForm15* Form15 = nullptr;
TForm16* Form16 = nullptr;
TForm17* Form17 = nullptr;
TForm18* Form18 = nullptr;
TForm23* Form23 = nullptr;

namespace {

void initWindow(QWidget* w, int number, bool captionCarriesData)
{
    w->setObjectName(QStringLiteral("Form%1").arg(number));
    if (!captionCarriesData)
        w->setWindowTitle(QStringLiteral("Form%1").arg(number));
}

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 2, true); }
TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 3, false); }
TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 4, false); }
TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 5, false); }
TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 6, true); }
TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 7, false); }
TForm9::TForm9(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 9, false); }
TForm10::TForm10(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 10, false); }
TForm11::TForm11(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 11, false); }
TForm12::TForm12(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 12, true); }
TForm13::TForm13(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 13, false); }
TForm15::TForm15(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 15, false); }
TForm16::TForm16(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 16, false); }
TForm17::TForm17(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 17, false); }
TForm18::TForm18(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 18, false); }
TForm23::TForm23(QWidget* parent) : QWidget(parent, Qt::Window) { initWindow(this, 23, false); }

void createOtherForms(QWidget* owner)
{
    Form2 = new TForm2(owner);
    Form3 = new TForm3(owner);
    Form4 = new TForm4(owner);
    Form5 = new TForm5(owner);
    Form6 = new TForm6(owner);
    Form7 = new TForm7(owner);
    Form9 = new TForm9(owner);
    Form10 = new TForm10(owner);
    Form11 = new TForm11(owner);
    Form12 = new TForm12(owner);
    Form13 = new TForm13(owner);
    Form15 = new TForm15(owner);
    Form16 = new TForm16(owner);
    Form17 = new TForm17(owner);
    Form18 = new TForm18(owner);
    Form23 = new TForm23(owner);
}

void destroyOtherForms()
{
    delete Form23;
    Form23 = nullptr;
    delete Form18;
    Form18 = nullptr;
    delete Form17;
    Form17 = nullptr;
    delete Form16;
    Form16 = nullptr;
    delete Form15;
    Form15 = nullptr;
    delete Form13;
    Form13 = nullptr;
    delete Form12;
    Form12 = nullptr;
    delete Form11;
    Form11 = nullptr;
    delete Form10;
    Form10 = nullptr;
    delete Form9;
    Form9 = nullptr;
    delete Form7;
    Form7 = nullptr;
    delete Form6;
    Form6 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
}
