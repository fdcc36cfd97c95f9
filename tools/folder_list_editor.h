#pragma once
// The File menu's "フォルダの作成": the folder-list editor on "_folder.txt"
// beside the program, shown modally with the patrol paused.

class TForm1;

namespace tools {

void N3Click(TForm1& w);

} // namespace tools
