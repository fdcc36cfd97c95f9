#pragma once
// Opens the page editor on one page: the caption gets the page's path, the
// hidden source field the page's text, and the window shows modally.

#include <QString>
#include <QStringList>
#include <optional>

class TForm2;

namespace editor {

// Returns the editor's caption afterwards (a save under a new name changed
// it), or nothing when there is no editor window. newPage: the page is new
// and must not be saved over a file that appeared at its path. The page and
// its pictures are written only inside within.
std::optional<QString> runPageEditor(TForm2* form, const QString& path, const QString& source, bool newPage,
                                     const QStringList& within);

} // namespace editor
