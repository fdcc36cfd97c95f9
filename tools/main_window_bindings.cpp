#include "tools/main_window_bindings.h"

#include "tools/forms/form18.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

namespace tools {

void bindMainWindow(TForm1& w)
{
    (void)w;
    // Answer sheets
    laterwindows::hooks().answer = answersheet::ShowAnswerSheet;
}

} // namespace tools
