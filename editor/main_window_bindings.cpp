#include "editor/main_window_bindings.h"

#include "editor/edit_hand_off.h"
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
    // The page menu of the tools edits through the same hand-off.
    laterwindows::hooks().editCurrentPage = [guarded] {
        if (guarded)
            EditCurrentPage(*guarded);
    };
}

} // namespace editor
