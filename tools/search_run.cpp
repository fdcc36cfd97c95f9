#include "tools/search_run.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/text.h"
#include "tools/search_bytes.h"
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

// Which shown entries hold the word (1 marks a hit): the path, then the
// file's bytes where they give the answer, else its text (kept for the next
// search while the cache's budget allows).
std::vector<char> SearchSession::fullTextHits(const QString& word)
{
    const QString w = text::upper(word);
    const ByteWord bytesWord = byteWordFor(word);
    // Read only from here on: the threads must never make the lists detach.
    const PageList& shown = Shown;
    const int n = shown.size();
    std::vector<char> hit(size_t(n), 0);
    parallelFor(n, [&](int i) {
        const QString& entry = shown.entries[i];
        if (text::upper(entry).contains(w)) {
            hit[i] = 1;
            return;
        }
        if (!hasHtExtension(entry))
            return;
        const QString path = fullPath(entry);
        if (bytesWord.kind != ByteWord::TextOnly) {
            const std::optional<QByteArray> bytes = readSearchedPage(path);
            if (!bytes)
                return;
            const ByteAnswer answer = searchBytes(*bytes, bytesWord);
            if (answer != ByteAnswer::NeedsText) {
                hit[i] = answer == ByteAnswer::Yes;
                return;
            }
        }
        const std::shared_ptr<const QString> t = texts_.text(path);
        hit[i] = t && t->contains(w);
    });
    return hit;
}

void SearchSession::RunSearch()
{
    ListBox = Shown;
    const QString sep = searchSeparator(Edit1);
    const QStringList words = splitSearchWords(Edit1);
    PageList found;
    if (Tag == 0 && !words.isEmpty() && progress)
        progress(QStringLiteral("検索中!!"));
    QSet<QString> seen; // entries collected, case ignored
    for (const QString& word : words) {
        if (Tag == 0) {
            const std::vector<char> hit = fullTextHits(word);
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
