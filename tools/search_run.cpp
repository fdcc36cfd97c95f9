#include "tools/search_run.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/text.h"
#include "tools/search_aside.h"
#include "tools/search_bytes.h"
#include "tools/search_stream.h"
#include "tools/search_title.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSemaphore>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <numeric>
#include <utility>
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

// What the working threads tell the calling thread, kept until it passes them on.
struct SearchSession::Reports {
    std::mutex mutex;
    QString text;
    bool textNew = false;
    int count = 0;
    bool countNew = false;
    PageList found; // matches settled since the last pass

    void say(const QString& t)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        text = t;
        textNew = true;
    }
    void counted(int total)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        count = total;
        countNew = true;
    }
    void matched(const QString& entry, const QString& title, int total)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        found.append(entry, title);
        count = total;
        countNew = true;
    }
};

void SearchSession::passReports()
{
    QString text;
    bool textNew, countNew;
    int count;
    PageList found;
    {
        const std::lock_guard<std::mutex> lock(reports_->mutex);
        std::swap(text, reports_->text);
        std::swap(found, reports_->found);
        textNew = std::exchange(reports_->textNew, false);
        countNew = std::exchange(reports_->countNew, false);
        count = reports_->count;
    }
    if (textNew && progress)
        progress(text);
    if (!found.isEmpty() && resultsFound)
        resultsFound(found);
    if (countNew && countChanged)
        countChanged(count);
}

void SearchSession::runWork(const std::function<void()>& work)
{
    if (!reports_)
        reports_ = std::make_shared<Reports>();
    const QCoreApplication* app = QCoreApplication::instance();
    if (answerWhileWorking && app && QThread::currentThread() == app->thread()) {
        runAside(work, [this] { passReports(); });
    } else {
        work();
        passReports();
    }
}

void SearchSession::activate(QString& cacheKey)
{
    const bool rescan = cacheKey != SearchRoot;
    cacheKey = SearchRoot;
    bool unreadable = false;
    runWork([&] { unreadable = buildList(rescan); });
    if (unreadable)
        platform::beep();
}

// The whole list, scanned or from the cache, sorted; in mode 1 searched.
// True when the scan met files it could not read.
bool SearchSession::buildList(bool rescan)
{
    ListBox.clear();
    LastSearchText = Edit1;
    const std::shared_ptr<Reports> reports = reports_;
    if (rescan) {
        ScanResult scan = ZENBU(SearchRoot, [reports](const QString& title) { reports->say(title); }, beforeEachFile);
        unreadableFiles = scan.unreadable;
        ListBox = scan.list;
        ListBoxBk = ListBox;
        texts_.clear();
    } else {
        ListBox = ListBoxBk;
    }
    if (!ListBox.isEmpty()) {
        reports->say(QStringLiteral("ソート中!!"));
        SortResults(ListBox, Tag);
    }
    Shown = ListBox;
    if (Tag == 1)
        searchWork();
    return rescan && unreadableFiles > 0;
}

namespace {

bool hasHtExtension(const QString& entry)
{
    return (QLatin1Char('.') + QFileInfo(entry).suffix()).toLower().contains(QLatin1String(".ht"));
}

// Entries decided in any order on many threads, passed on in list order as
// far as every one before them is decided.
class InListOrder {
public:
    InListOrder(int count, std::function<void(int)> hit) : state_(size_t(count)), hit_(std::move(hit)) {}
    void decided(int i, bool yes)
    {
        state_[size_t(i)].store(yes ? 2 : 1, std::memory_order_release);
        std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
        if (lock.owns_lock())
            passOn();
    }
    // Every entry decided: the rest is passed on.
    void finish()
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        passOn();
    }

private:
    void passOn()
    {
        for (; next_ < state_.size(); ++next_) {
            const char s = state_[next_].load(std::memory_order_acquire);
            if (s == 0)
                return;
            if (s == 2)
                hit_(int(next_));
        }
    }
    std::vector<std::atomic<char>> state_; // 0 open, 1 no, 2 a match
    std::mutex mutex_;
    size_t next_ = 0;
    std::function<void(int)> hit_;
};

// Making the text of a large page holds it several times over: only a few at once.
QSemaphore largeTextsMade(2);
constexpr qint64 kLargeText = 1 << 20;

} // namespace

// Whether each shown entry holds the word, told to decided(i, yes) from the
// working threads: the path, then the file's bytes where they give the
// answer, else its text (kept for the next search while the cache's budget allows).
void SearchSession::fullTextHits(const QString& word, const std::function<void(int, bool)>& decided)
{
    const QString w = text::upper(word);
    const ByteWord bytesWord = byteWordFor(word);
    // Read only from here on: the threads must never make the lists detach.
    const PageList& shown = Shown;
    auto holds = [&](int i) {
        const QString& entry = shown.entries[i];
        if (text::upper(entry).contains(w))
            return true;
        if (!hasHtExtension(entry))
            return false;
        const QString path = fullPath(entry);
        if (bytesWord.kind != ByteWord::TextOnly) {
            const std::optional<ByteAnswer> answer = searchPageFile(path, bytesWord);
            if (!answer)
                return false;
            if (*answer != ByteAnswer::NeedsText)
                return *answer == ByteAnswer::Yes;
        }
        const bool large = QFileInfo(path).size() > kLargeText;
        if (large)
            largeTextsMade.acquire();
        const std::shared_ptr<const QString> t = texts_.text(path);
        if (large)
            largeTextsMade.release();
        return t && t->contains(w);
    };
    parallelFor(shown.size(), [&](int i) {
        if (beforeEachFile)
            beforeEachFile();
        decided(i, holds(i));
    });
}

void SearchSession::searchWork()
{
    ListBox = Shown;
    const PageList& shown = Shown;
    const QString sep = searchSeparator(Edit1);
    const QStringList words = splitSearchWords(Edit1);
    Reports& reports = *reports_;
    PageList found;
    if (Tag == 0 && !words.isEmpty())
        reports.say(QStringLiteral("検索中!!"));
    QSet<QString> seen; // entries collected, case ignored
    for (const QString& word : words) {
        if (Tag == 0) {
            InListOrder inOrder(shown.size(), [&](int i) {
                const QString key = text::upper(shown.entries[i]);
                if (seen.contains(key))
                    return;
                seen.insert(key);
                found.append(shown.entries[i], shown.titles[i]);
                reports.matched(shown.entries[i], shown.titles[i], found.size());
            });
            fullTextHits(word, [&inOrder](int i, bool yes) { inOrder.decided(i, yes); });
            inOrder.finish();
        } else {
            for (int i = 0; i < shown.size(); ++i) {
                if (text::upper(fullPath(shown.entries[i])) == Label2)
                    continue;
                if (headingMatches(shown.titles[i], word, sep)) {
                    found.append(shown.entries[i], shown.titles[i]);
                    reports.matched(shown.entries[i], shown.titles[i], found.size());
                }
            }
        }
        reports.counted(found.size());
    }
    Shown = found;
}

void SearchSession::RunSearch()
{
    runWork([this] { searchWork(); });
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
