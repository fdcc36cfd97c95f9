#include "forms/other_forms.h"

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

template <class... Window>
void createInOrder(QWidget* owner, Window*&... form)
{
    ((form = new Window(owner)), ...);
}

template <class... Window>
void freeInOrder(Window*&... form)
{
    ((delete form, form = nullptr), ...);
}

} // namespace

void createOtherForms(QWidget* owner)
{
    createInOrder(owner, Form2, Form3, Form4, Form5, Form6, Form7, Form9, Form10, Form11, Form12, Form13, Form15,
                  Form16, Form17, Form18, Form23);
}

void destroyOtherForms()
{
    freeInOrder(Form23, Form18, Form17, Form16, Form15, Form13, Form12, Form11, Form10, Form9, Form7, Form6, Form5,
                Form4, Form3, Form2);
}
