#include "app/other_forms.h"

#include "tools/forms/window_on_demand.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

namespace {

template <class Window>
void makeOnDemand(laterwindows::WindowSlot& slot, Window*& global)
{
    slot.current = [&global]() -> QWidget* { return global; };
    slot.make = [&global]() -> QWidget* { return &windowOnDemand(global, TForm1::instance()); };
}

template <class... Window>
void freeInOrder(Window*&... form)
{
    ((delete form, form = nullptr), ...);
}

} // namespace

void installWindowMakers()
{
    makeOnDemand(laterwindows::hooks().memoWindow, Form12);
    makeOnDemand(laterwindows::hooks().videoWindow, Form6);
}

void destroyOtherForms()
{
    laterwindows::hooks().memoWindow = nullptr;
    laterwindows::hooks().videoWindow = nullptr;
    freeInOrder(Form23, Form18, Form17, Form16, Form15, Form13, Form12, Form11, Form10, Form9, Form7, Form6, Form5,
                Form4, Form3, Form2);
}
