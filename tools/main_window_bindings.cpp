#include "tools/main_window_bindings.h"

#include "tools/find_command.h"
#include "tools/look_command.h"
#include "viewer/main_window.h"

namespace tools {

void bindMainWindow(TForm1& w)
{
    if (w.Find1)
        w.Find1->onClick = [&w] { Find1Click(w); };
    // Through the one main window, so a window closed since never answers.
    laterwindows::hooks().look = [](const QString& currentEntryPathUpper, const QString& word,
                                    laterwindows::LookResult& result) {
        TForm1* main = TForm1::instance();
        return main && lookUp(*main, currentEntryPathUpper, word, result);
    };
}

} // namespace tools
