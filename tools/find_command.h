#pragma once
// The File menu's "検索": the search window over the current folder; its
// results become a new list level showing the entry previewed last.

class TForm1;

namespace tools {

void Find1Click(TForm1& w);

} // namespace tools
