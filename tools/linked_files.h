#pragma once
// The files that belong to one page: the page, its recording (".wav") and
// memo (".%xt"), every existing file it references (store/page_references.h:
// src, srcset, data, poster, background, CSS url(), href and the quoted icon
// of its title), and, through pages it embeds by src or data, what those
// name in turn. The file tool deletes, the clean-up keeps, and the
// copy warns by this list. Reading only: nothing here writes.

#include <QString>
#include <QStringList>

class TForm1;

namespace tools {

struct LinkedFiles {
    QStringList files;               // the file list after the run
    QStringList commandLinkMessages; // one per command link found, in order
};

// What the file tool window is filled with: its entries, and those it
// leaves unselected when shown (the person may still select them).
struct FileToolList {
    QStringList files;
    QStringList notPreselected;
    QStringList commandLinkMessages;
};

// The closure of StartPath. ClearList: the list starts as [StartPath];
// otherwise it starts as `list` and StartPath itself is not added (the
// caller did). href counts from CurrentFolder, every other reference from
// the scanned file's own folder. Each file is scanned once.
LinkedFiles CollectLinkedFiles(const QString& StartPath, bool ClearList, const QString& CurrentFolder,
                               const QStringList& list = {});

// The message that tells of a command link (name: its "$…" part).
QString commandLinkMessage(const QString& startPath, const QString& name);

// The main window's form: fills the file tool's list and shows each command
// link message.
void CollectLinkedFiles(TForm1& w, const QString& StartPath, bool ClearList);

} // namespace tools
