#pragma once
// The window side of the value and history files: "HIS" points the history
// pages of the current list at the chosen history file.

#include <QString>
#include <functional>

class TForm1;

namespace commands {

// Rewrites the SCRIPT SRC of every page of the top level whose file name
// holds "HISTORY" (any case) to the current history file. Pages for which
// mayWrite says no are left alone.
void rewriteHistoryPages(TForm1& w, const std::function<bool(const QString& path)>& mayWrite);

} // namespace commands
