#include "editor/main_window_bindings.h"

#include "editor/edit_hand_off.h"
#include "editor/editor_window_run.h"
#include "editor/forms/form2.h"
#include "tools/look_link_commands.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QPointer>

namespace editor {

void bindMainWindow(TForm1& w)
{
    QPointer<TForm1> guarded(&w);
    w.SpeedButton15->onClick = [guarded] {
        if (guarded)
            EditCurrentPage(*guarded);
    };
    w.N8->onClick = [guarded] {
        if (guarded)
            N8Click(*guarded);
    };
    w.N9->onClick = [guarded] {
        if (guarded)
            N2Click(*guarded);
    };
    // LOOK links come out of the page before editing and go back in after.
    if (!handOffParts().applyLookLinks)
        handOffParts().applyLookLinks = tools::ApplyLookLinks;
    // Pages of the fixed layout open in the page editor window.
    if (!handOffParts().runEditor) {
        handOffParts().runEditor = [](TForm1& main, const QString& path, const QString& source, bool newPage) {
            const std::optional<QString> caption = runPageEditor(Form2, path, source, newPage);
            if (caption && Form2->savedLastTime())
                main.HighlightCurrent = 1;
            return caption;
        };
    }
    // The page menu of the tools edits through the same hand-off.
    laterwindows::hooks().editCurrentPage = [guarded] {
        if (guarded)
            EditCurrentPage(*guarded);
    };
}

} // namespace editor
