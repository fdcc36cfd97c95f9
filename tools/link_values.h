#pragma once
// The values a page names files with turned into the file paths they name
// (the values themselves are found by store/page_references.h), and the
// small path questions the file tools share.

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

// A drive-letter path ("C:\…", "c:/…"): names nothing on this system.
bool isDrivePath(const QString& value);
// A value that is an address of another kind (http:, mailto:, javascript: …).
bool hasOtherScheme(const QString& value);

// The absolute, cleaned path a value names, read relative to folder (no
// trailing "/"): "\" counts as "/", file: URLs become paths, "./" and "../"
// count from folder, absolute paths stay as they are. "" for values that
// name no local file (empty, web and other schemes, drive letters).
QString resolveLinkValue(const QString& value, const QString& folder);

// The existing plain file at path: the exact name, else a case-insensitive
// match in the same folder (pages written on Windows do not keep letter
// case). "" when there is none or it is a folder.
QString existingFile(const QString& path);
// The path with its extension replaced (or added): a page's companions.
QString changeFileExt(const QString& path, const QString& ext);
// The lower-cased extension with its dot ("" without one).
QString lowerExt(const QString& path);
// The folder of a path, without a trailing "/" (the root stays "/").
QString folderOf(const QString& path);
// True when both paths name one existing file (links and other spellings
// included).
bool isSameFile(const QString& a, const QString& b);
// True when path lies in folder or below it, after resolving links.
bool isInsideFolder(const QString& path, const QString& folder);

// Case-insensitive membership of a path in a list.
bool containsPath(const QStringList& list, const QString& path);

} // namespace tools
