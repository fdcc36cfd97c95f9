#pragma once
// The search window's work without its window: the page list of a folder
// (scanned once and kept until the folder or its files change), the sorts,
// the full-text and heading searches that narrow the shown list, and the
// state before the last search ("１つ前"). The window and the LOOK callers
// drive one SearchSession.

#include "tools/search_cache.h"
#include "tools/search_scan.h"
#include "tools/search_words.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tools {

// Stable sort of list[first..last] by title (mode < 2) or by the length of
// the title's keyword part (mode >= 2), entries moving with their titles.
void SortResults(PageList& list, int mode, int first = 0, int last = -1);

class SearchSession {
public:
    int Tag = 0;              // 0 full text, 1 heading (LOOK), 2 whole list by keyword length
    QString SearchRoot;       // the folder listed, no trailing "/"
    QString Edit1;            // the search words
    QString Label2;           // mode 1: upper-cased full path of the page left out
    QString LastSearchText;
    PageList ListBox;         // ListBox1/ListBox2: the hand-over list and the undo state
    PageList ListBoxBk;       // ListBox1bk/ListBox2bk: the scan cache
    PageList Shown;           // ShownPaths/ShownTitles
    int unreadableFiles = 0;  // of the last scan

    // With this set the long work (the scan, the sort, the searches) runs
    // off the calling thread, which handles its events meanwhile, and the
    // three calls below come as the work goes on; else the calling thread
    // does the work and they come at the end. They come on the calling thread.
    bool answerWhileWorking = false;
    // A progress text.
    std::function<void(const QString&)> progress;
    // The running count of matches.
    std::function<void(int)> countChanged;
    // Matches as they are settled, in the order of the results.
    std::function<void(const PageList&)> resultsFound;
    // Called on a working thread before each file is read (tests hold the work here).
    std::function<void()> beforeEachFile;

    // Activation without the window: scans (when cacheKey is not
    // SearchRoot) or takes the cache, sorts, shows the whole list and, in
    // mode 1, runs the search. cacheKey is the main window's SearchCacheKey.
    void activate(QString& cacheKey);
    // "全文検索" and the mode 1 search: narrows Shown, keeping the undo state.
    void RunSearch();
    // "１つ前": the list before the last search comes back.
    void undo();
    // Closing: the shown results, when there are any, become the hand-over list.
    void close();

    // Full path of an entry.
    QString fullPath(const QString& entry) const;
    // Bytes of page text kept for the next search.
    qint64 heldTextBytes() const { return texts_.heldBytes(); }

    struct Reports;

private:
    bool buildList(bool rescan);
    void searchWork();
    void fullTextHits(const QString& word, const std::function<void(int, bool)>& decided);
    void runWork(const std::function<void()>& work);
    void passReports();
    PageTextCache texts_;
    std::shared_ptr<Reports> reports_;
};

// The search session the window and the LOOK callers share.
SearchSession& searchSession();

} // namespace tools
