#pragma once
// Renaming the selected pictures to a numbered base name ("pic0.jpg",
// "pic1.jpg" …) and fixing the references in the selected pages. The plan
// is worked out first; carrying it out renames in order and stops at the
// first refusal, and the pages are then fixed for what was renamed.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tools {

struct PictureRename {
    QString from; // full paths
    QString to;
};

bool isPictureFile(const QString& path); // .jpeg .jpg .gif .png, any case
bool isHtmlPage(const QString& path);    // .html .htm, any case

// New names for the selected pictures, in list order. Each gets the first
// free name base + N + its own extension, N counting from 0 in its folder
// (a base with an extension, "pic.x", gives "pic.x0", then "pic1.x"). Names
// already taken, by existing files or earlier pictures of the plan, are
// skipped, ignoring letter case.
QList<PictureRename> planPictureRenames(const QStringList& selected, const QString& base);

struct PageRewrite {
    QString path;
    QByteArray bytes; // the whole new file
};
struct ReferenceUpdates {
    QList<PageRewrite> pages; // only pages whose text changes
    QStringList notUtf8;      // selected pages that name a renamed picture but are left
                              // alone: neither UTF-8 nor Shift_JIS, or declared otherwise
};

// The selected pages with every reference that names a renamed picture (in
// any form the browser follows, and the title icon) changed to its new name,
// the written form kept. A reference names the picture when it resolves to
// it exactly, or ignoring case while no file of its own spelling exists
// ("A.jpg" is not "a.jpg" when both are there).
ReferenceUpdates ReplaceNameInSelectedPages(const QStringList& selected, const QList<PictureRename>& renames);

// Renames in order, never over an existing file; stops at the first that
// fails. Returns the renames done; `failed` gets the one that was refused.
// Every rename stays inside within.
QList<PictureRename> carryOutPictureRenames(const QList<PictureRename>& plan, const QStringList& within,
                                            PictureRename* failed = nullptr);
// Writes the rewritten pages, only inside within; returns those that could
// not be written.
QStringList writePageRewrites(const QList<PageRewrite>& pages, const QStringList& within);

} // namespace tools
