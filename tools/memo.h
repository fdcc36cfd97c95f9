#pragma once
// The page memo: the ".%xt" file beside a page, shown in the memo window
// (TForm12) while the main window's Tag says so (0 hidden, 1 shown, 2 a
// blank memo being written), following the page display.

#include <QString>

class TForm1;

namespace memo {

// Loads the memo file at path into the memo window and shows or closes the
// window by the memo state (the presentation mask keeps it hidden).
void LoadPageMemo(TForm1& w, const QString& path);
// Mouse-up of the memo button SpeedButton7: right closes; left switches
// hidden -> shown -> blank memo, or shown -> hidden when the page has a memo.
void textup(TForm1& w);
// The patrol's memo step: the window's path field follows the shown page,
// and a changed memo time loads the memo again.
void followMemo(TForm1& w, const QString& memoPath, bool reload);
// After start-up the memo state turns to shown: the shown page's memo appears.
void showAfterStart(TForm1& w);

// The editor's notes file in the memo window: path as its caption and save
// target, the file's text or nothing when there is none yet. False when the
// window is missing or the file cannot be read.
bool editNotes(const QString& path);

// Binds the memo button, the start-up timer and the patrol's memo step.
void bindMemo(TForm1& w);

} // namespace memo
