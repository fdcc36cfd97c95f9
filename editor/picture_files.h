#pragma once
// Files the editor's picture buttons bring into the page's folder: names a
// page tag can hold, checked copies, blank pictures for the paint program,
// and the file dialogs' filters.

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace editor {

// A name that would break the page's tags (it holds `"`, `<` or `>`).
bool nameBreaksTags(const QString& name);
// Says so when the name breaks the tags; true when it may be used.
bool acceptPictureName(const QString& name);

// Brings source into folder under name and returns the name the picture has
// there. The file itself, or a file of the same bytes under that name (in
// any letter case), is used as it is. Another picture of that name is never
// overwritten silently: the user chooses to replace it (the new one is
// copied beside it first, then the old one goes to the trash at once) or to
// keep both (the new one takes a free name). nullopt when the user cancels
// or the copy fails (said so); the folder is then unchanged.
// The copy stays inside within.
std::optional<QString> copyIntoFolder(const QString& source, const QString& folder, const QString& name,
                                      const QStringList& within);
// name when no file in folder has it (in any letter case), else the first
// free one of base_2.ext, base_3.ext ...
QString freeNameIn(const QString& folder, const QString& name);

// The name header and background pictures are kept under: "_" and the
// chosen name without its leading "_".
QString underscoreName(const QString& chosenFileName);

// A blank white 24-bit picture of the given size at path: a bitmap for
// ".bmp", JPEG at quality 90 for ".jpg"; other names get none (false).
// Written only inside within.
bool writeBlankPicture(const QString& path, int width, int height, const QStringList& within);

// A file-dialog filter in Qt's syntax from (label, patterns) pairs; every
// pattern is offered in upper case too, since Linux names keep their case.
QString dialogFilter(const QList<std::pair<QString, QStringList>>& entries);
QString pictureFilter();     // the picture dialogs
QString linkFileFilter();    // the picture link's file dialog
QString linkDialogFilter();  // the link dialog's "参照"

} // namespace editor
