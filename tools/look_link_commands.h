#pragma once
// The main window's keyword-link commands: the page menu's "LOOK自動リンク"
// and "LOOKの削除", and the text transformation the edit hand-off uses.

#include <QString>

class TForm1;

namespace tools {

// mode 0: links the other pages' names and keywords into text (old links
// removed first); mode 1: removes the links. Without a list level (PBan < 0)
// the text comes back unchanged.
QString ApplyLookLinks(TForm1& w, int mode, const QString& text);

// The current page of the list, rewritten with links added (AddLookLinks)
// or removed (RemoveLookLinks), then shown again. Only local pages that
// declare "<!DOCTYPE HTML PUBLIC" and decode in an encoding the program
// writes back are touched (any other is refused with a message naming it),
// and the file is written only when its text changed.
void AddLookLinks(TForm1& w);
void RemoveLookLinks(TForm1& w);

} // namespace tools
