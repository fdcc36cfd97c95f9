#pragma once
// What "editing" a file means: a picture goes to the paint program, a page
// in the fixed layout to the page editor, an HTML or MHT document outside it
// to the spreadsheet program, anything else to its associated program.

#include <QString>
#include <QStringList>

namespace editor {

enum class EditKind { Picture, Editor, Spreadsheet, Associated };

// A web address is never edited: "http:" or "https:" in any letter case,
// or anything holding "://".
bool isWebAddress(const QString& s);

// text is the file's content as read (may be "" for files not read).
EditKind editKindFor(const QString& path, const QString& text);

// folder + "_%" + the file's extension: the one backup per extension and folder.
QString editBackupPath(const QString& path);

enum class BackupResult { NoFile, Made, Failed };
// Copies path over its backup (through a temporary file and a rename).
// A file that does not exist yet (a new page) needs none.
BackupResult makeEditBackup(const QString& path, const QStringList& within);

} // namespace editor
