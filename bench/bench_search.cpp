// The search window's work over a tree of 50,000 Japanese pages of about
// 10 KB in nested folders (PAGORA_BENCH_PAGES sets another count): the first
// activation (the scan with every title), and full-text searches for a rare
// Japanese word, a word on every page and an ASCII word in any letter case,
// each beside `rg -lF` and `grep -rlF` (with -i for the ASCII word) of the
// same word over the same tree in the same run, warm. The search must find
// what ripgrep finds. The searches report the process's peak memory and what
// it holds after searching.
//
//   ./bench_search
#include "store/files.h"
#include "tools/search_run.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
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

// The files a search program lists for the word, relative to the tree.
QSet<QString> listedBy(const QString& program, const Word& word)
{
    QStringList args = program == QLatin1String("rg") ? QStringList{QStringLiteral("-lF")} : QStringList{QStringLiteral("-rlF")};
    if (word.caseless)
        args << QStringLiteral("-i");
    args << word.text << tree();
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    QSet<QString> found;
    const QString prefix = tree() + QLatin1Char('/');
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

// The session after its first activation (the scan cache warm), and the whole list.
tools::SearchSession& warmSession()
{
    static tools::SearchSession s = [] {
        tools::SearchSession made;
        made.SearchRoot = tree();
        QString key = QStringLiteral("xxx");
        made.activate(key);
        return made;
    }();
    return s;
}

void BM_FirstActivation(benchmark::State& state)
{
    tree();
    for (auto _ : state) {
        tools::SearchSession s;
        s.SearchRoot = tree();
        QString key = QStringLiteral("xxx");
        s.activate(key);
        if (s.Shown.size() != pageCount())
            state.SkipWithError("the scan did not list every page");
    }
}
BENCHMARK(BM_FirstActivation)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Search(benchmark::State& state)
{
    const Word& word = kWords[state.range(0)];
    tools::SearchSession& s = warmSession();
    const tools::PageList whole = s.ListBoxBk;
    const QSet<QString> expected = listedBy(QStringLiteral("rg"), word); // also warms the cache
    for (auto _ : state) {
        s.Shown = whole;
        s.Edit1 = word.text;
        s.RunSearch();
    }
    if (QSet<QString>(s.Shown.entries.begin(), s.Shown.entries.end()) != expected)
        state.SkipWithError("the search and ripgrep found different pages");
    state.counters["found"] = double(s.Shown.size());
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["held_MB"] = residentMegabytes();
}
BENCHMARK(BM_Search)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void searchProgram(benchmark::State& state, const QString& program)
{
    const Word& word = kWords[state.range(0)];
    tree();
    qsizetype found = 0;
    for (auto _ : state)
        found = listedBy(program, word).size();
    state.counters["found"] = double(found);
}

void BM_Ripgrep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("rg"));
}
BENCHMARK(BM_Ripgrep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Grep(benchmark::State& state)
{
    searchProgram(state, QStringLiteral("grep"));
}
BENCHMARK(BM_Grep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
