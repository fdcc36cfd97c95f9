#pragma once
// The window side of the value and history files: "HIS" points the history
// pages of the current list at the chosen history file.

#include "viewer/command_trust.h"

#include <QString>
#include <functional>

class TForm1;

namespace commands {

// Where the commands of the window may write: the data root, the current
// folder, the desktop copy folder and the desktop.
WriteRoots writeRoots(const TForm1& w);

// Rewrites the SCRIPT SRC of every page of the top level whose file name
// holds "HISTORY" (any case) to the current history file. Pages for which
// mayWrite says no are left alone; a page that cannot be written is named.
void rewriteHistoryPages(TForm1& w, const std::function<bool(const QString& path)>& mayWrite);

} // namespace commands
