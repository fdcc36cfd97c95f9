#pragma once
// The main window's copy buttons: folders opened in the file manager, the
// shown file and the selected folder copied to the desktop copy folder, the
// open-externally panel, and the import of chosen files into the current folder.

#include <QString>

class TForm1;

namespace tools {

void SpeedButton13Click(TForm1& w); // the current folder in the file manager
void N1Click(TForm1& w);            // the selected folder in the file manager
void SpeedButton14Click(TForm1& w); // the copy folder in the file manager
void SpeedButton5Click(TForm1& w);  // the shown file into the copy folder
void Panel1MouseUp(TForm1& w);      // open, or (right button) copy and open
void SpeedButton1Click(TForm1& w);  // the selected folder, whole, into the copy folder
void Paste2Click(TForm1& w);        // chosen files into the current folder

// The question of the whole-folder copy.
QString folderCopyQuestion(const QString& folderName, const QString& exeBaseName);
// The import dialog's filter, in Qt's syntax.
QString importFilter();

} // namespace tools
