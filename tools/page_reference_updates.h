#pragma once
// The pages' references to files that are renamed: rewritten where a page
// can be rewritten, and named where it cannot, so that nobody learns of a
// broken page only when it is shown. References are found by the page
// reference finder, so a renaming follows every form the browser follows.

#include "tools/picture_rename.h"

namespace tools {

// The pages with every reference to a renamed file changed to its new name,
// the written form (quoting, query, fragment, %-escapes) kept. A reference
// names a file when it resolves to it exactly, or ignoring case while no
// file of its own spelling exists ("A.jpg" is not "a.jpg" when both are
// there); a file of the same name in another folder keeps its references.
// notUtf8 gets the pages that name a renamed file but are not rewritten
// (their charset is none the program writes, or their bytes decode no way).
ReferenceUpdates updateReferencesInPages(const QStringList& pages, const QList<PictureRename>& renames);

// The pages that name one of the files to be renamed (or already renamed)
// but cannot be rewritten: a renumbering names them before anything moves.
QStringList pagesNamingButNotRewritable(const QStringList& pages, const QList<PictureRename>& renames);

// Whether the page names one of the files, read as every reader reads it.
bool pageNamesAny(const QString& page, const QList<PictureRename>& renames);

} // namespace tools
