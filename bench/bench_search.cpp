// The search window's work over a tree of 5,000 Japanese pages of about
// 10 KB in nested folders: the first activation (the scan with every title)
// and a one-word full-text search, each beside `grep -rlF` of the same word
// over the same tree, in the same run. The search must find what grep finds.
//
//   ./bench_search
#include "store/files.h"
#include "tools/search_run.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

namespace {

constexpr int kPages = 5000;
const QString kWord = QStringLiteral("ミドリガメ");

// About 10 KB of UTF-8: a title, a comment and Japanese paragraphs. Every
// 23rd page holds the word in its text (never in a comment or a name).
QByteArray pageBytes(int i)
{
    QString body;
    const QString paragraph = QStringLiteral("<P>池のまわりで見つけた生き物を記録します。カエル、メダカ、ザリガニ。</P>\r\n");
    while (body.size() < 3300)
        body += paragraph;
    if (i % 23 == 0)
        body.insert(body.size() / 2, QStringLiteral("<P>") + kWord + QStringLiteral("の甲羅</P>"));
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

// 20 folders of 10 sub-folders of 25 pages; written once per run.
const QString& tree()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        bool all = true;
        for (int i = 0; i < kPages; ++i) {
            const QString name = QStringLiteral("学年%1/組%2/%3_page%4.html")
                                     .arg(i / 250)
                                     .arg((i / 25) % 10)
                                     .arg(1000 + 10 * (i % 25))
                                     .arg(i);
            const QString path = files::joinPath(dir.path(), name);
            files::makeFolder(path.left(path.lastIndexOf(QLatin1Char('/'))));
            all = files::writeBytes(path, pageBytes(i)) && all;
        }
        return all;
    }();
    (void)written;
    static const QString path = dir.path();
    return path;
}

QSet<QString> grepFiles()
{
    QProcess grep;
    grep.start(QStringLiteral("grep"), {QStringLiteral("-rlF"), kWord, tree()});
    grep.waitForFinished(-1);
    QSet<QString> found;
    const QString prefix = tree() + QLatin1Char('/');
    for (const QString& line : QString::fromUtf8(grep.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            found.insert(line.mid(prefix.size()));
    }
    return found;
}

// A session whose scan cache is warm, as after the first activation.
tools::SearchSession warmSession()
{
    tools::SearchSession s;
    s.SearchRoot = tree();
    QString key = QStringLiteral("xxx");
    s.activate(key);
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
        if (s.Shown.size() != kPages)
            state.SkipWithError("the scan did not list every page");
    }
}
BENCHMARK(BM_FirstActivation)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, tools::SearchSession& s, const tools::PageList& whole)
{
    s.Shown = whole;
    s.Edit1 = kWord;
    s.RunSearch();
    static const QSet<QString> expected = grepFiles();
    if (QSet<QString>(s.Shown.entries.begin(), s.Shown.entries.end()) != expected)
        state.SkipWithError("the search and grep found different pages");
}

// Every text read again: a new session each time.
void BM_FullTextSearchFirst(benchmark::State& state)
{
    const tools::SearchSession warm = warmSession();
    for (auto _ : state) {
        tools::SearchSession s;
        s.SearchRoot = warm.SearchRoot;
        search(state, s, warm.Shown);
    }
    state.counters["found"] = double(grepFiles().size());
}
BENCHMARK(BM_FullTextSearchFirst)->Unit(benchmark::kMillisecond);

// The texts kept from the search before (files unchanged).
void BM_FullTextSearchAgain(benchmark::State& state)
{
    tools::SearchSession s = warmSession();
    const tools::PageList whole = s.Shown;
    search(state, s, whole);
    for (auto _ : state)
        search(state, s, whole);
}
BENCHMARK(BM_FullTextSearchAgain)->Unit(benchmark::kMillisecond);

void BM_Grep(benchmark::State& state)
{
    tree();
    for (auto _ : state)
        benchmark::DoNotOptimize(grepFiles().size());
}
BENCHMARK(BM_Grep)->Unit(benchmark::kMillisecond);

} // namespace
