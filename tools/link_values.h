#pragma once
// The quoted attribute values a page names files with (src="…",
// background="…", href="…" and the icon right after "<TITLE>"), found where
// they stand in the text, and turned into the file paths they name. The
// linked-file closure, the picture renaming and the page copy all read
// pages through these, so they agree on what a page uses.

#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

enum class LinkKind { Src, TitleIcon, Background, Href };

struct LinkValue {
    qsizetype start = 0;  // 0-based index of the value's first character in the text
    qsizetype length = 0; // up to, not including, the closing quote
    QString value;
};

// Every value of one kind, in text order. The marker is found ignoring
// letter case ("Src=", "HREF="); only quoted values count. A marker with no
// closing quote after it gives one empty value and ends the scan.
QList<LinkValue> findLinkValues(const QString& text, LinkKind kind);

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
