#pragma once
// The stack of list levels the main window keeps: every level holds its
// entries (MidashiF), one title per entry (MidashiT) and the selected page
// (PBanList). The main window owns one PageLevels and forwards to it; tests
// use it without a window.

#include <QString>
#include <QStringList>
#include <QList>

namespace store {

// Files a page folder may list.
inline const QString kPageFileMask = QStringLiteral(
    "*.ht*;*.do*;*.jt*;*.zbx;*.zba;*.mp4;*.m4v;*.webm;*.mov;*.flv;*.avi;*.xl*;*.pdf;*.jp*;*.bmp;*.png;*.gif;");

// A folder's page files as OpenFolder reads them: the listing, the entries
// made of it and their titles. listPageFolder touches no PageLevels, so a
// folder can be read on another thread and put on the stacks later.
struct ListedFolder {
    QString folder;
    QStringList names;
    QStringList entries;
    QStringList titles;
};
// Pages converted from Shift_JIS as they are read are saved only inside
// writeBounds (PageLevels::WriteBounds).
ListedFolder listPageFolder(const QString& folder, const QString& exeBaseName, const QStringList& writeBounds);
// The entries and titles of a listing that holds only the names.
void readEntriesAndTitles(ListedFolder& listed, const QString& exeBaseName, const QStringList& writeBounds);

class PageLevels {
public:
    QList<QStringList> MidashiF; // entry list of each level; last = top
    QList<QStringList> MidashiT; // title list of each level, parallel to MidashiF
    QStringList PBanList;        // selected page of each level, decimal
    QStringList LevelFolders;    // folder each level lists, parallel to PBanList

    QString CurrentFolder;       // folder of the top level's bare entries, no trailing "/"
    QString ExeBaseName;         // a page with this base name is never listed
    int LastFileCount = 0;       // page files seen by the last OpenFolder
    // The folders a listing may convert its pages in (the data root, the
    // desktop copy folder, the desktop): a listed folder elsewhere, or one
    // swapped for a link that leads elsewhere, is only read.
    QStringList WriteBounds;

    int PBan() const;            // -1 without a level
    int PBanSu() const;          // entries of the top level; 0 without a level
    void PBanSave(int i);        // no range check; nothing without a level
    int depth() const { return PBanList.size(); }
    QStringList topEntries() const;
    QStringList topTitles() const;

    // Makes folder current and pushes (push) or replaces its level. A folder
    // that cannot be listed gives an empty level. The level is built whole,
    // then pushed onto all three stacks at once.
    // Returns the folder's files that match kPageFileMask, as listed.
    QStringList OpenFolder(const QString& folder, int pageIndex, bool push);
    // The same with a folder already read (listPageFolder).
    QStringList OpenListedFolder(const ListedFolder& listed, int pageIndex, bool push);
    // One title per entry, read from the files the entries stand for.
    QStringList BuildPageTitles(const QStringList& entries) const;
    // Pushes a ready level (GOSUB, search and link-page lists).
    void pushLevel(const QStringList& entries, const QStringList& titles, int pageIndex);
    // Drops the top level, or selects page 0 when only one exists. The
    // folder of the level below becomes current again.
    void PopLevel();
    void clear();
    // Re-reads the title of entry i of the top level.
    void TiteleLoad(int i, const QString& shownUrl);
    // 1-based position of the current page's path in url's path; 0 absent; -1 without a level.
    int IsCurrentPage(const QString& url) const;

    // The path entry i of the top level stands for (bare names and relative
    // paths resolve against CurrentFolder; paths and file URLs as they are;
    // web addresses come back unchanged).
    QString entryPath(int i) const;
    QString entryPath(const QString& entry) const;
    // The top level's entry that stands for path (a page the program knows
    // by its file, not by a name stem); -1 when none does.
    int indexOfPath(const QString& path) const;
};

// Entries of a folder in page order (index pages first, then the others;
// names starting "_", holding "index" with "_", with "$" in the extension,
// or named like the executable never show).
QStringList pageEntries(const QStringList& sortedFileNames, const QString& exeBaseName);
// The text a page's title is read from: its head (more only when the TITLE
// is not closed in it), in the encoding the one page decoder decides. ""
// when the page cannot be read, is over the editor's read limit or decodes
// no way. Never writes.
QString pageHeadText(const QString& path);
QString pageHeadText(const QByteArray& pageBytes);
// The base-name rule: name without extension, everything up to the first "_" dropped.
QString baseNameTitle(const QString& fileName);

} // namespace store
