#pragma once
// Deleting through the file tool: the list a page delete offers, the files a
// press of "ファイルの削除" sends to the trash, the one question that names
// them, and the trash step itself, which reports what it could not move.

#include "tools/linked_files.h"

#include <QString>
#include <QStringList>

namespace tools {

// The page with its linked-file closure. Pre-selected are the page and the
// files of its folder (or below) that no other page uses, in the page's
// folder or in the folder of the file; other pages, files outside the
// folder and files still in use are listed but not pre-selected. With root
// (the data root), a file a page in any folder under it uses is in use.
FileToolList planPageDeletion(const QString& pagePath, const QString& currentFolder, const QString& exeBaseName,
                              const QString& root = QString());

// What pages other than pagePath use: the pages of its folder, of every
// folder a listed file lies in and, with root, of every folder under root
// (a page may show a picture of another folder with "../" or a folder path).
QStringList filesUsedByOtherPages(const QStringList& listed, const QString& pagePath, const QString& exeBaseName,
                                  const QString& root);
// The selected entries that name files, in list order, each once: folders,
// drive-letter paths and relative names never go to the trash.
QStringList planDeletion(const QStringList& selected);
// The question that names the files (the first ones and a count).
QString deletionQuestion(const QStringList& files);

struct TrashResult {
    QStringList trashed; // moved, or already gone
    QStringList failed;  // the trash refused them: they are still there
};
// One trash call per file; a file already gone counts as done.
TrashResult trashFiles(const QStringList& paths);
// The summary of refused files ("" when none failed).
QString trashFailureMessage(const QStringList& failed);
// Up to `most` paths one per line, and how many more there are.
QString pathLines(const QStringList& paths, int most = 20);

} // namespace tools
