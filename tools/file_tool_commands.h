#pragma once
// The main window's page-management commands that the page context menu
// offers: delete a page with its linked files, clean up the files no page
// of the folder uses, and copy or move a page with its files. Each pauses
// the patrol while it works and reloads the list afterwards.

#include <QString>

class TForm1;
class TForm3;

namespace tools {

// The file tool window, made on first use when the program has not made it.
TForm3& fileTool(TForm1& w);

// Fills the file tool's list with the closure of StartPath and shows one
// message per command link found.
void CollectLinkedFiles(TForm1& w, const QString& StartPath, bool ClearList);

void DeletePageMenu(TForm1& w);       // "ページ削除"
void RunFileTool(TForm1& w, int mode); // mode 0: the current page and its files, for deletion
void DeleteUnlinkedFiles(TForm1& w);  // "LINK切れ削除"
void CopyPageWithLinks(TForm1& w);    // "ページのコピー"

// The save dialog of the page copy (SaveDialog2): "" when cancelled. A name
// without an extension gets the source's.
QString askCopyTarget(const QString& source);
// Copies source to target as planned, asks before replacing, reports what
// failed, and on "元ファイルを削除しますか？" sends the sources to the trash.
void copyPageTo(TForm1& w, const QString& source, const QString& target);

} // namespace tools
