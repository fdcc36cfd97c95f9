#include "app/other_forms.h"

#include "viewer/later_windows.h"

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
    laterwindows::hooks().memoWindow = Form12;
    laterwindows::hooks().videoWindow = Form6;
}

void destroyOtherForms()
{
    laterwindows::hooks().memoWindow = nullptr;
    laterwindows::hooks().videoWindow = nullptr;
    freeInOrder(Form23, Form18, Form17, Form16, Form15, Form13, Form12, Form11, Form10, Form9, Form7, Form6, Form5,
                Form4, Form3, Form2);
}
