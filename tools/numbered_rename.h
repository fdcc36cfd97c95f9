#pragma once
// "ファイル名をPage(数)に変更": numbered names for a range of the folder's pages.

class TForm1;
class TForm17;

namespace tools {

void RenamePagesNumbered(TForm1& w);
// Renames with the dialog's accepted fields (the part after the dialog).
void renameNumberedFromDialog(TForm1& w, const TForm17& f);
TForm17& numberedRenameDialog(TForm1& w);

} // namespace tools
