#pragma once
// What the pages of one folder use, and the clean-up list built from it: the
// files of the folder that no page of the folder names. The folder is read
// from the disk, never from the shown list, so a search or link list on top
// changes nothing.

#include "tools/linked_files.h"

#include <QString>
#include <QStringList>

namespace tools {

struct FolderUsage {
    QStringList used;       // the pages themselves and every file their closures hold
    QStringList valueFiles; // files the pages' "JS" commands write into
    QStringList commandLinkMessages;
};

// The folder and every folder below it (links to folders are not followed);
// empty for "".
QStringList folderTree(const QString& folder);
// The candidates that a page of a folder under root references directly
// (store/page_references.h), each page read in its own charset; the pages of
// skipFolders and exceptPage are left out. Pages whose bytes hold none of
// the plain ends of the candidates' names (".png" of "_花.png") are not
// decoded.
QStringList namedByPagesUnder(const QString& root, const QStringList& candidates, const QStringList& skipFolders,
                              const QString& exceptPage = QString());
// Pages of a folder: the entries its page list shows, then every other file
// whose extension holds ".ht" ("_" pages, index pages with "_", the help page).
QStringList folderPages(const QString& folder, const QString& exeBaseName);
// What the folder's pages use; exceptPage (a full path) is left out.
FolderUsage filesUsedByFolderPages(const QString& folder, const QString& exeBaseName,
                                   const QString& exceptPage = QString());
// Value files named by "JS" commands in a page text, as paths in folder.
QStringList jsValueFiles(const QString& pageText, const QString& folder);
// Files that stored data relies on although no page names them: answer
// sheets "_….csv", drawings and edit backups "_%…", value files.
bool holdsStoredData(const QString& path, const QStringList& valueFiles);

// The clean-up list: every file of folder that no page uses, the help page
// and "_Edit.txt" always kept; files holding stored data are listed but not
// pre-selected.
// With root, a file that a page of another folder under root names is
// listed but not pre-selected.
FileToolList planUnlinkedFiles(const QString& folder, const QString& exeBaseName, const QString& helpFileName,
                               const QString& root = QString());

} // namespace tools
