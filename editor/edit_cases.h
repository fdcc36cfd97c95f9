#pragma once
// The three ways an edit continues once the hand-off has decided what the
// file is (used by edit_hand_off.cpp only). Each ends by calling
// finishEdit, at once or, for another program, after a pause.

#include "editor/edit_dispatch.h"

#include <QString>

class TForm1;

namespace editor {

// The paint program, waited for with the main window disabled.
void editPicture(TForm1& w, const QString& file);
// The page editor, with LOOK links taken out before and put back after.
void editInEditor(TForm1& w, const QString& file, const QString& text, bool newPage);
// The spreadsheet program or the associated program, then a pause.
void editInOtherProgram(TForm1& w, const QString& file, EditKind kind);

// Ends an edit: the patrol runs again and the selected page is shown again.
// message: told to the user first when not "".
void finishEdit(TForm1& w, const QString& message = QString());
// The selected page, its title and button read again; the "no page" page
// when the list has none.
void showSelectedPageAgain(TForm1& w);
// Only marks the edit as over and enables the window again (the caller
// shows the page itself).
void endEdit(TForm1& w);

} // namespace editor
