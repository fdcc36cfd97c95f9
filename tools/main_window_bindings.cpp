#include "tools/main_window_bindings.h"

#include "tools/capture_print_bindings.h"
#include "tools/copy_buttons.h"
#include "tools/find_command.h"
#include "tools/folder_list_editor.h"
#include "tools/forms/form18.h"
#include "tools/look_command.h"
#include "tools/page_menu.h"
#include "tools/media_bindings.h"
#include "tools/programming_env.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <functional>

namespace tools {

namespace {

// A speed button without a right-button action acts on the left button only.
void onLeftClick(platform::SpeedButton* b, std::function<void()> action)
{
    b->onClick = [b, action = std::move(action)] {
        if (!b->rightPressed())
            action();
    };
}

// ---- copy buttons, desktop copy, import, folder list, programming launcher ----
void bindCopyAndLauncher(TForm1& w)
{
    TForm1* m = &w;
    onLeftClick(w.SpeedButton13, [m] { SpeedButton13Click(*m); });
    onLeftClick(w.SpeedButton21, [m] { N1Click(*m); });
    w.N1->onClick = [m] { N1Click(*m); };
    onLeftClick(w.SpeedButton14, [m] { SpeedButton14Click(*m); });
    onLeftClick(w.SpeedButton5, [m] { SpeedButton5Click(*m); });
    onLeftClick(w.SpeedButton1, [m] { SpeedButton1Click(*m); });
    onLeftClick(w.SpeedButton3, [m] { RunProgrammingLauncher(*m); });
    w.Paste2->onClick = [m] { Paste2Click(*m); };
    w.N3->onClick = [m] { N3Click(*m); };
    // The panel and its labels share the release; the press (bound by the
    // window itself) has set the right-button flag.
    const auto panelUp = [m](const platform::MouseArgs&) { Panel1MouseUp(*m); };
    w.Panel1->onMouseUp = panelUp;
    for (platform::Label* l : {w.Label1, w.Label3, w.Label4, w.Label5, w.Label6, w.Label7, w.Label8})
        l->onMouseUp = panelUp;
}

} // namespace

void bindMainWindow(TForm1& w)
{
    bindCopyAndLauncher(w);
    bindPageMenu(w); // page context menu, "編集メニュー", post button, "【使い方】"
    bindCapturePrint(w);
    bindMedia(w);
    laterwindows::hooks().answer = answersheet::ShowAnswerSheet;
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
