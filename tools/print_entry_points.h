#pragma once
// The page menu's print and merge items reach the printing code through this
// table, so that the menu stands whether or not printing is built in. An
// entry left unset makes its item do nothing.

#include <functional>

class TForm1;

namespace tools {
struct PrintEntryPoints { std::function<void(TForm1&)> PrintPageWorksheet, PrintPageAnswerSheet, MergeCheckedPages, N6Click; };
PrintEntryPoints& printEntryPoints();
}
