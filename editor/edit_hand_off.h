#pragma once
// Every edit that starts in the main window goes through EditPageFile: it
// pauses the patrol, shows the "being edited" page, keeps a backup, sends
// the file to the paint program, the page editor or another program by its
// kind, archives daily reports, and shows the edited page again. The
// patrol runs again on every way out.

#include "tools/look_link_commands.h"

#include <QString>
#include <functional>
#include <optional>

class TForm1;

namespace editor {

// file: the file to edit ("" means the selected page); text: its source
// ("" means the file is read).
void EditPageFile(TForm1& w, const QString& file, const QString& text);
// The edit button and the page menu: the selected page.
void EditCurrentPage(TForm1& w);
// A new page named by the date and time, opened in the editor.
void CreateDatedPage(TForm1& w);
void N8Click(TForm1& w); // "上に作成"
void N2Click(TForm1& w); // "下に作成"

// The page editor TForm2 as the hand-off drives it: path into its caption,
// source into Memo82, a modal show through the seam. Returns the caption
// afterwards (the page's path, changed by a save under a new name), or
// nullopt when there is no editor window to show.
std::optional<QString> runEditorWindow(TForm1& w, const QString& path, const QString& source, bool newPage);

// The parts of the hand-off that belong to other windows, replaceable by
// tests: the page editor and the LOOK linker.
struct HandOffParts {
    // Shows the page editor modally on path with source; newPage: the path
    // named no file when the edit began.
    std::function<std::optional<QString>(TForm1&, const QString& path, const QString& source, bool newPage)> runEditor =
        runEditorWindow;
    // mode 0 adds the folder's LOOK links, 1 removes them.
    std::function<QString(TForm1&, int mode, const QString& text)> applyLookLinks = tools::ApplyLookLinks;
    // How long the main window waits after handing a file to another program.
    int otherProgramPauseMs = 5000;
};
HandOffParts& handOffParts();

// True while an edit is under way (a second one is refused meanwhile).
bool editInProgress();

} // namespace editor
