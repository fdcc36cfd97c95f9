#pragma once
// Copies of single files into the desktop copy folder, without a window:
// the shown file, the open-externally panel's copy that keeps the older copy
// under a day-stamped name, and the sounds that go with a programming file.

#include "platform/copy_progress.h"

#include <QDate>
#include <QString>

namespace tools {

// A file of the programming environment (".zbx", ".zba", any case), counted
// as such only while the environment can be started.
bool isProgrammingFile(const QString& path, bool programmingEnabled);

// Copies source into folder (the desktop copy folder, which the copy must
// stay in) under its own name, overwriting. True when the copy is there
// afterwards; a source that already is that file is left as it is.
bool copyIntoFolder(const QString& source, const QString& folder);
// Same for an explicit target path inside copyFolder.
bool copyOnto(const QString& source, const QString& target, const QString& copyFolder);

// The folder's "*.wav", then its "*.mid" files, copied into target.
void copySounds(const QString& folder, const QString& target, platform::CopyFailures& failures);

// "元ファイル(dd日)" + name: the name the older copy is kept under.
QString dayStampedName(const QString& name, const QDate& day);

// The right click on the open-externally panel: the copy already in
// copyFolder is kept as the day-stamped copy, then source is copied in.
// Returns the copy's path, "" when source could not be copied.
QString copyKeepingOlder(const QString& source, const QString& copyFolder, const QDate& day,
                         platform::CopyFailures& failures);

// The copy button: a programming file brings only the sounds of its folder
// (the file itself stays); any other file is copied.
void copyShownFile(const QString& shown, const QString& copyFolder, bool programmingEnabled,
                   platform::CopyFailures& failures);

} // namespace tools
