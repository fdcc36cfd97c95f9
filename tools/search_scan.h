#pragma once
// The scan of the search window: every page and office document below a
// folder with its title, depth first, each folder read sorted by name with
// case ignored. Symbolic links to folders are not followed, named pipes and
// devices are not opened, a folder that cannot be listed is skipped.

#include <QString>
#include <QStringList>
#include <functional>

namespace tools {

// Entries (paths relative to the scanned folder, joined with "/") and their
// titles, index for index.
struct PageList {
    QStringList entries;
    QStringList titles;
    int size() const { return int(entries.size()); }
    bool isEmpty() const { return entries.isEmpty(); }
    void clear() { entries.clear(); titles.clear(); }
    void append(const QString& entry, const QString& title) { entries << entry; titles << title; }
};

struct ScanResult {
    PageList list;
    int unreadable = 0; // files listed by their name because they could not be read
};

// Lists searchRoot: names beginning with "_" and the files in sub-folders of
// a top-level "ZORB" folder are left out, and so are pages holding "NOTFIND".
// Titles are read in parallel; progress (may be empty) gets a title now and
// then, on any of the reading threads; beforeEachFile (may be empty) is
// called on a reading thread before each file is read.
ScanResult ZENBU(const QString& searchRoot, const std::function<void(const QString&)>& progress = {},
                 const std::function<void()>& beforeEachFile = {});

// Runs work(i) for i in [0, count) on a few threads; returns when all are done.
void parallelFor(int count, const std::function<void(int)>& work);

} // namespace tools
