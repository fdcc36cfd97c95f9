#pragma once
// The window side of the value and history files: "HIS" points the history
// pages of the current list at the chosen history file.

class TForm1;

namespace commands {

// Rewrites the SCRIPT SRC of every page of the top level whose file name
// holds "HISTORY" (any case) to the current history file.
void rewriteHistoryPages(TForm1& w);

} // namespace commands
