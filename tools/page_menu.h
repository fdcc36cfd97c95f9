#pragma once
// The page context menu of the main window and the commands around it: the
// toolbar's "編集メニュー" and post buttons, the shortcut items, the folder
// help page and the "【使い方】" menu item.

#include <QString>

class TForm1;

namespace tools {

// The usage-help web page, opened when no "【使い方】" folder is beside the program.
extern const QString kUsageHelpUrl;

// Fills w.PageMenu (emptied by the caller) for the current entry and lists
// the folder's shortcut files in w.ListBox3.
void BuildPageMenu(TForm1& w);
void ClearPageMenu(TForm1& w);
void SpeedButton18Click(TForm1& w); // "編集メニュー": build and pop up
void F10Click(TForm1& w, int tag);  // shortcut item tag: runs it with the shown page
void OpenFolderHelp(TForm1& w);
void Pagora1Click(TForm1& w);       // "【使い方】"

// Binds the toolbar buttons, the menu item and the menu hook (once, at start).
void bindPageMenu(TForm1& w);

} // namespace tools
