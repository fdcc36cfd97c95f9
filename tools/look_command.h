#pragma once
// The page command "LOOK": the pages of the current folder whose name or a
// keyword is the word, found by the search window's heading search without
// showing the window.

#include "viewer/later_windows.h"

class TForm1;

namespace tools {

bool lookUp(TForm1& w, const QString& currentEntryPathUpper, const QString& word,
            laterwindows::LookResult& result);

} // namespace tools
