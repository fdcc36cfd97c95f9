#pragma once
// Files the editor's picture buttons bring into the page's folder: names a
// page tag can hold, checked copies, blank pictures for the paint program,
// and the file dialogs' filters.

#include <QString>
#include <QStringList>
#include <utility>

namespace editor {

// A name that would break the page's tags (it holds `"`, `<` or `>`).
bool nameBreaksTags(const QString& name);
// Says so when the name breaks the tags; true when it may be used.
bool acceptPictureName(const QString& name);

// Copies source to folder/name unless it already is that file (another
// spelling of it included). A failed copy leaves the target as it was, says
// so and returns false.
bool copyIntoFolder(const QString& source, const QString& folder, const QString& name);

// The name header and background pictures are kept under: "_" and the
// chosen name without its leading "_".
QString underscoreName(const QString& chosenFileName);

// A blank white 24-bit picture of the given size at path: a bitmap for
// ".bmp", JPEG at quality 90 for ".jpg"; other names get none (false).
bool writeBlankPicture(const QString& path, int width, int height);

// A file-dialog filter in Qt's syntax from (label, patterns) pairs; every
// pattern is offered in upper case too, since Linux names keep their case.
QString dialogFilter(const QList<std::pair<QString, QStringList>>& entries);
QString pictureFilter();     // the picture dialogs
QString linkFileFilter();    // the picture link's file dialog
QString linkDialogFilter();  // the link dialog's "参照"

} // namespace editor
