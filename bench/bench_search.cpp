// The search window's work over a tree of 50,000 Japanese pages of about
// 10 KB in nested folders (PAGORA_BENCH_PAGES sets another count): the first
// activation (the scan with every title), and full-text searches for a rare
// Japanese word, a word on every page and an ASCII word in any letter case,
// each beside `rg -lF` and `grep -rlF` (with -i for the ASCII word) of the
// same word over the same tree in the same run, warm. Then the same over
// 2,000 large pages of 1 to 10 MB without a byte order mark, about 11 GB
// (PAGORA_BENCH_BIG_PAGES and PAGORA_BENCH_BIG_MB, the largest size, scale
// it), for the rare word and the ASCII word, each on 20 pages.
//
// The search must find what ripgrep finds. The work runs as the window runs
// it, answering on the calling thread: a timer there ticking every 10 ms
// gives the longest stall. The searches report the process's peak memory and
// what it holds after searching; run the large pages on their own
// (--benchmark_filter=Big) for their own peak.
//
//   ./bench_search
#include "store/files.h"
#include "tools/search_run.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QDir>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int pageCount()
{
    static const int n = qEnvironmentVariableIsSet("PAGORA_BENCH_PAGES") ? qEnvironmentVariableIntValue("PAGORA_BENCH_PAGES")
                                                                          : 50000;
    return n;
}

struct Word {
    QString text;
    bool caseless;
};
const Word kWords[] = {
    {QStringLiteral("ミドリガメ"), false}, // rare: every 23rd page
    {QStringLiteral("メダカ"), false},     // on every page
    {QStringLiteral("pond"), true},        // every 7th page, as "Pond" or "POND"
};

// About 10 KB of UTF-8: a title, comments and Japanese paragraphs. The rare
// and the ASCII word stand in the text of some pages, never in a comment or a name.
QByteArray pageBytes(int i)
{
    QString body;
    const QString paragraph = QStringLiteral("<P>池のまわりで見つけた生き物を記録します。カエル、メダカ、ザリガニ。</P>\r\n");
    while (body.size() < 3300)
        body += paragraph;
    if (i % 23 == 0)
        body.insert(body.size() / 2, QStringLiteral("<P>") + kWords[0].text + QStringLiteral("の甲羅</P>"));
    if (i % 7 == 0)
        body.insert(body.size() / 3, i % 2 ? QStringLiteral("<P>Pond</P>") : QStringLiteral("<P>POND life</P>"));
    const QString text = QStringLiteral(
                             "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                             "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                             "<TITLE>観察 %1#生き物/池</TITLE><!--STYLE_IN-->\r\n</HEAD>\r\n<BODY>\r\n"
                             "<!--HEDDA_IN--><!--HEDDA_OUT--><!--NOTE_IN--><H1>第%1回</H1>\r\n%2<!--NOTE_OUT-->\r\n"
                             "</BODY>\r\n</HTML>\r\n")
                             .arg(i)
                             .arg(body);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// 200 pages a folder in folders of folders; written once per run.
const QString& tree()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        bool all = true;
        for (int i = 0; i < pageCount(); ++i) {
            const QString name = QStringLiteral("学年%1/組%2/%3_page%4.html")
                                     .arg(i / 2000)
                                     .arg((i / 200) % 10)
                                     .arg(1000 + 10 * (i % 200))
                                     .arg(i);
            const QString path = files::joinPath(dir.path(), name);
            all = files::makeFolder(path.left(path.lastIndexOf(QLatin1Char('/'))), {QDir::tempPath()}) && all;
            all = files::writeBytes(path, pageBytes(i), {QDir::tempPath()}) && all;
        }
        return all;
    }();
    // An empty tree makes every benchmark report that nothing was found.
    static const QString path = written ? dir.path() : QString();
    return path;
}

bool installed(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The files a search program lists for the word, relative to root.
QSet<QString> listedBy(const QString& program, const Word& word, const QString& root)
{
    QStringList args = program == QLatin1String("rg") ? QStringList{QStringLiteral("-lF")} : QStringList{QStringLiteral("-rlF")};
    if (word.caseless)
        args << QStringLiteral("-i");
    args << word.text << root;
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    QSet<QString> found;
    const QString prefix = root + QLatin1Char('/');
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            found.insert(line.mid(prefix.size()));
    }
    return found;
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(getpagesize()) / (1 << 20) : 0;
}

// ---- 2,000 large pages ----

int bigPageCount()
{
    return qEnvironmentVariableIsSet("PAGORA_BENCH_BIG_PAGES") ? qEnvironmentVariableIntValue("PAGORA_BENCH_BIG_PAGES")
                                                                : 2000;
}

qint64 bigPageBytes(int i)
{
    const double largest = qEnvironmentVariableIsSet("PAGORA_BENCH_BIG_MB")
        ? qEnvironmentVariable("PAGORA_BENCH_BIG_MB").toDouble()
        : 10.0;
    const double share = double((i * 7919) % 1000) / 999.0; // spread evenly over the range
    return qint64((largest / 10.0) * (1.0 + 9.0 * share) * (1 << 20));
}

// The rare word on every 100th page, the ASCII word on every 100th from the 50th.
const Word kBigWords[] = {kWords[0], kWords[2]};

// A large page: a head, then Japanese paragraphs and comments to the size,
// the page's word (if any) once in the middle, in the text.
QByteArray bigPage(int i)
{
    static const QByteArray block = [] {
        QByteArray b;
        int n = 0;
        while (b.size() < 60000) {
            b += QStringLiteral("<P>池のまわりで見つけた生き物を記録します。カエル、メダカ、ザリガニ %1。</P>\n").arg(n++).toUtf8();
            if (n % 16 == 0)
                b += "<!--NOTE_OUT--><!-- 池の記録 -->\n";
        }
        return b;
    }();
    const qint64 size = bigPageBytes(i);
    QByteArray page = QStringLiteral("<HTML><HEAD><TITLE>大きい観察 %1</TITLE></HEAD><BODY>\n").arg(i).toUtf8();
    page.reserve(size + 200);
    const QByteArray word = i % 100 == 0 ? QStringLiteral("<P>ミドリガメの甲羅</P>").toUtf8()
        : i % 100 == 50                 ? QByteArray("<P>Pond</P>")
                                        : QByteArray();
    bool placed = word.isEmpty();
    while (page.size() < size) {
        page += block;
        if (!placed && page.size() >= size / 2) {
            page += word;
            placed = true;
        }
    }
    return page + "</BODY></HTML>\n";
}

// 100 pages a folder; written once per run, without the program's own writes.
const QString& bigTree()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        bool all = true;
        for (int i = 0; i < bigPageCount(); ++i) {
            const QString folder = files::joinPath(dir.path(), QStringLiteral("大%1").arg(i / 100));
            all = QDir().mkpath(folder) && all;
            QFile f(files::joinPath(folder, QStringLiteral("%1_big%2.html").arg(1000 + i % 100).arg(i)));
            all = f.open(QIODevice::WriteOnly) && f.write(bigPage(i)) >= 0 && all;
        }
        return all;
    }();
    static const QString path = written ? dir.path() : QString();
    return path;
}

// ---- measuring ----

// The longest the calling thread goes without handling its events: a
// timer there ticks every 10 ms.
class StallMeter {
public:
    StallMeter()
    {
        ticks_.setInterval(10);
        QObject::connect(&ticks_, &QTimer::timeout, [this] { tick(); });
        clock_.start();
        last_ = clock_.nsecsElapsed();
        ticks_.start();
    }
    // In milliseconds, up to now.
    double longest()
    {
        tick();
        return double(longest_) / 1e6;
    }

private:
    void tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    QTimer ticks_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// A session over root as the window drives it.
tools::SearchSession sessionOver(const QString& root)
{
    tools::SearchSession s;
    s.SearchRoot = root;
    s.answerWhileWorking = true;
    return s;
}

// The session after its first activation (the scan cache warm), and the whole list.
tools::SearchSession& warmSession(const QString& root)
{
    static std::map<QString, tools::SearchSession> sessions;
    auto it = sessions.find(root);
    if (it == sessions.end()) {
        it = sessions.emplace(root, sessionOver(root)).first;
        QString key = QStringLiteral("xxx");
        it->second.activate(key);
    }
    return it->second;
}

void firstActivation(benchmark::State& state, const QString& root, int pages)
{
    double stall = 0;
    for (auto _ : state) {
        tools::SearchSession s = sessionOver(root);
        QString key = QStringLiteral("xxx");
        StallMeter meter;
        s.activate(key);
        stall = std::max(stall, meter.longest());
        if (s.Shown.size() != pages)
            state.SkipWithError("the scan did not list every page");
    }
    state.counters["stall_ms"] = stall;
    state.counters["peak_MB"] = peakMegabytes();
}

void search(benchmark::State& state, const Word& word, const QString& root)
{
    if (!installed(QStringLiteral("rg"))) {
        state.SkipWithError("ripgrep (rg) is not installed, so there is nothing to compare with: scripts/setup installs it");
        return;
    }
    tools::SearchSession& s = warmSession(root);
    const tools::PageList whole = s.ListBoxBk;
    const QSet<QString> expected = listedBy(QStringLiteral("rg"), word, root); // also warms the cache
    double stall = 0;
    for (auto _ : state) {
        s.Shown = whole;
        s.Edit1 = word.text;
        StallMeter meter;
        s.RunSearch();
        stall = std::max(stall, meter.longest());
    }
    if (QSet<QString>(s.Shown.entries.begin(), s.Shown.entries.end()) != expected)
        state.SkipWithError("the search and ripgrep found different pages");
    state.counters["found"] = double(s.Shown.size());
    state.counters["stall_ms"] = stall;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["held_MB"] = residentMegabytes();
}

void searchProgram(benchmark::State& state, const QString& program, const Word& word, const QString& root)
{
    if (!installed(program)) {
        state.SkipWithError(qPrintable(program + QStringLiteral(" is not installed: scripts/setup installs it")));
        return;
    }
    qsizetype found = 0;
    for (auto _ : state)
        found = listedBy(program, word, root).size();
    state.counters["found"] = double(found);
}

// ---- 50,000 small pages ----

void BM_FirstActivation(benchmark::State& state)
{
    firstActivation(state, tree(), pageCount());
}
BENCHMARK(BM_FirstActivation)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Search(benchmark::State& state)
{
    search(state, kWords[state.range(0)], tree());
}
BENCHMARK(BM_Search)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Ripgrep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("rg"), kWords[state.range(0)], tree());
}
BENCHMARK(BM_Ripgrep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Grep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("grep"), kWords[state.range(0)], tree());
}
BENCHMARK(BM_Grep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- 2,000 pages of 1 to 10 MB ----

void BM_BigFirstActivation(benchmark::State& state)
{
    firstActivation(state, bigTree(), bigPageCount());
}
BENCHMARK(BM_BigFirstActivation)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BigSearch(benchmark::State& state)
{
    search(state, kBigWords[state.range(0)], bigTree());
}
BENCHMARK(BM_BigSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BigRipgrep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("rg"), kBigWords[state.range(0)], bigTree());
}
BENCHMARK(BM_BigRipgrep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BigGrep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("grep"), kBigWords[state.range(0)], bigTree());
}
BENCHMARK(BM_BigGrep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
