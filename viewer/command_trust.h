#pragma once
// Which page commands may run, and where commands may write. Pages from the
// web can only move through the lists, count and find text; only local pages
// (and the program itself) may start programs or write, copy, download or
// delete files, and even those writes stay inside the folders the program
// works in.

#include <QString>
#include <QStringList>

namespace commands {

// True when location is a local page: a file under the data root, where
// the kernel would reach it (a link inside the root that leads out does not
// make a local page).
bool isDataRootPage(const QString& location, const QString& dataRoot);

// True when a command list carried in requestUrl, raised by the document at
// requesterUrl, has a local page's trust. The engine refuses every web
// document's request for a file: address, so only a local document can have
// raised a file: address; any other address (http:, https:, data:, blob:,
// about:, ...) comes from the web, whatever page is shown and whatever the
// person clicked. The requester must be a page of the data root as well.
bool isLocalRequest(const QString& requestUrl, const QString& requesterUrl, const QString& dataRoot);

// True when pageText links to the web address url itself: it holds the
// address as the engine hands it over, or as it is written (unescaped, any
// letter case).
bool pageLinksTo(const QString& pageText, const QString& url);

// True when a link written href in the document at location has a local
// page's trust: the link leads to a file: address there (written so, or
// relative in a file: document) and the document is a page of the data root.
bool isLocalLink(const QString& href, const QString& location, const QString& dataRoot);

// The address of a link written href in the document at location, as the
// engine would resolve it: "" when it cannot be resolved.
QString resolvedLink(const QString& href, const QString& location);

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
