#include "editor/main_window_bindings.h"

#include "editor/edit_hand_off.h"
#include "viewer/later_windows.h"
#include "viewer/main_window.h"

#include <QPointer>

namespace editor {

void bindMainWindow(TForm1& w)
{
    QPointer<TForm1> guarded(&w);
    // The edit button has no right-button action: a right click does nothing.
    platform::SpeedButton* edit = w.SpeedButton15;
    edit->onClick = [guarded, edit] {
        if (guarded && !edit->rightPressed())
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
    // The page menu of the tools edits through the same hand-off.
    laterwindows::hooks().editCurrentPage = [guarded] {
        if (guarded)
            EditCurrentPage(*guarded);
    };
}

} // namespace editor
