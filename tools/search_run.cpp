#include "tools/search_run.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/text.h"
#include "tools/search_title.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <vector>

namespace tools {

void SortResults(PageList& list, int mode, int first, int last)
{
    if (last < 0 || last >= list.size())
        last = list.size() - 1;
    first = qMax(0, first);
    if (first >= last)
        return;
    std::vector<int> order(last - first + 1);
    std::iota(order.begin(), order.end(), first);
    const QStringList& t = list.titles;
    if (mode < 2) {
        std::stable_sort(order.begin(), order.end(),
                         [&t](int a, int b) { return compareText(t[a], t[b]) < 0; });
    } else {
        std::vector<int> key(list.size());
        for (int i = first; i <= last; ++i)
            key[i] = keywordPartLength(t[i]);
        std::stable_sort(order.begin(), order.end(), [&key](int a, int b) { return key[a] < key[b]; });
    }
    PageList sorted;
    for (int i : order)
        sorted.append(list.entries[i], list.titles[i]);
    for (int i = first; i <= last; ++i) {
        list.entries[i] = sorted.entries[i - first];
        list.titles[i] = sorted.titles[i - first];
    }
}

QString SearchSession::fullPath(const QString& entry) const
{
    return files::joinPath(SearchRoot, entry);
}

void SearchSession::activate(QString& cacheKey)
{
    ListBox.clear();
    LastSearchText = Edit1;
    if (cacheKey != SearchRoot) {
        cacheKey = SearchRoot;
        ScanResult scan = ZENBU(SearchRoot, progress);
        unreadableFiles = scan.unreadable;
        ListBox = scan.list;
        ListBoxBk = ListBox;
        texts_.clear();
        if (unreadableFiles > 0)
            platform::beep();
    } else {
        ListBox = ListBoxBk;
    }
    if (!ListBox.isEmpty()) {
        if (progress)
            progress(QStringLiteral("ソート中!!"));
        SortResults(ListBox, Tag);
    }
    Shown = ListBox;
    if (Tag == 1)
        RunSearch();
}

static bool hasHtExtension(const QString& entry)
{
    return (QLatin1Char('.') + QFileInfo(entry).suffix()).toLower().contains(QLatin1String(".ht"));
}

bool SearchSession::matchesFullText(int i, const QString& upperWord) const
{
    const QString& entry = Shown.entries[i];
    if (text::upper(entry).contains(upperWord))
        return true;
    if (!hasHtExtension(entry))
        return false;
    const QString* t = texts_.text(fullPath(entry));
    return t && t->contains(upperWord);
}

void SearchSession::RunSearch()
{
    ListBox = Shown;
    const QString sep = searchSeparator(Edit1);
    const QStringList words = splitSearchWords(Edit1);
    PageList found;
    if (Tag == 0 && !words.isEmpty()) {
        QStringList pages;
        for (const QString& e : Shown.entries) {
            if (hasHtExtension(e))
                pages << fullPath(e);
        }
        if (progress)
            progress(QStringLiteral("検索中!!"));
        texts_.prepare(pages);
    }
    QSet<QString> seen; // entries collected, case ignored
    for (const QString& word : words) {
        if (Tag == 0) {
            const QString w = text::upper(word);
            std::vector<char> hit(Shown.size());
            parallelFor(Shown.size(), [&](int i) { hit[i] = matchesFullText(i, w); });
            for (int i = 0; i < Shown.size(); ++i) {
                if (hit[i] && !seen.contains(text::upper(Shown.entries[i]))) {
                    seen.insert(text::upper(Shown.entries[i]));
                    found.append(Shown.entries[i], Shown.titles[i]);
                }
            }
        } else {
            for (int i = 0; i < Shown.size(); ++i) {
                if (text::upper(fullPath(Shown.entries[i])) == Label2)
                    continue;
                if (headingMatches(Shown.titles[i], word, sep))
                    found.append(Shown.entries[i], Shown.titles[i]);
            }
        }
        if (countChanged)
            countChanged(found.size());
    }
    Shown = found;
}

void SearchSession::undo()
{
    Shown = ListBox;
    Edit1 = LastSearchText;
}

void SearchSession::close()
{
    if (!Shown.isEmpty())
        ListBox = Shown;
}

SearchSession& searchSession()
{
    static SearchSession session;
    return session;
}

} // namespace tools
