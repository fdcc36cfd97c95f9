#pragma once
// Which page commands may run, and where commands may write. Pages from the
// web can only move through the lists, count and find text; only local pages
// (and the program itself) may start programs or write, copy, download or
// delete files, and even those writes stay inside the folders the program
// works in.

#include <QString>
#include <QStringList>

namespace commands {

// True when a link raised by the page at sourceUrl comes from the web
// (http or https). Local files and the program's own navigations ("")
// count as local.
bool isWebSource(const QString& sourceUrl);

// True when the command word w may run from a web page: navigation
// ("DIR" too, checked separately against the data root), counters,
// conditionals and finding text; nothing that starts a program or writes,
// copies, downloads or deletes a file.
bool allowedFromWeb(const QString& w);

// The folders commands may write into: data root, CurrentFolder, the
// desktop copy folder and the desktop.
struct WriteRoots {
    QStringList folders;
};

// True when path lies inside one of the roots (or is one of them) where
// the kernel would reach it: every link followed, ".." applied after the
// link before it (confine::settledPath).
bool isAllowedTarget(const QString& path, const WriteRoots& roots);
// True when folder lies inside root (or is root), decided the same way.
bool isInsideFolder(const QString& path, const QString& root);

// Short messages for refusals.
QString refusedFromWebMessage(const QString& word);
QString refusedTargetMessage(const QString& path);
// A write or copy that was allowed but failed (full disk, no permission).
QString writeFailedMessage(const QString& path);

} // namespace commands
