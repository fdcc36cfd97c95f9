// How fast a folder opens as a page list: a warm PageLevels::OpenFolder over
// a folder of small pages, titles read from every page; and over a folder of
// large pages beside `grep -rhom1` reading the same titles in the same run.
#include "store/files.h"
#include "store/page_levels.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kPages = 5000;

QString pageText(int i)
{
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n"
               "<META NAME=\"author\" CONTENT=\"Pagora_TEXT_B4\">\n"
               "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n"
               "<TITLE>ページ %1 &lt;見出し&gt;#かえる</TITLE><!--STYLE_IN-->\n</HEAD>\n"
               "<BODY><!--HEDDA_IN-->\n<!--HEDDA_OUT--><!--NOTE_IN--><H1>第%1ページ</H1>"
               "<P>本文の段落です。カエルの観察記録。</P><!--NOTE_OUT-->\n</BODY>\n</HTML>\n")
        .arg(i);
}

// The folder is written once for every run of the program.
const QString& pageFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        bool all = true;
        for (int i = 0; i < kPages; ++i) {
            const QString name = QStringLiteral("%1_page%2.html").arg(1000 + 10 * i).arg(i);
            all = files::writeTextBom(files::joinPath(dir.path(), name), pageText(i), {QDir::tempPath()}) && all;
        }
        return all;
    }();
    (void)written;
    static const QString path = dir.path();
    return path;
}

void BM_OpenFolder(benchmark::State& state)
{
    const QString folder = pageFolder();
    store::PageLevels levels;
    levels.ExeBaseName = QStringLiteral("Pagora");
    levels.OpenFolder(folder, 0, true); // warm the file system cache
    if (levels.PBanSu() != kPages)
        state.SkipWithError("the page folder was not written whole");
    for (auto _ : state) {
        levels.OpenFolder(folder, 0, false);
        benchmark::DoNotOptimize(levels.MidashiT.last().size());
    }
    state.counters["pages"] = benchmark::Counter(double(state.iterations()) * kPages,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OpenFolder)->Unit(benchmark::kMillisecond);

// Its two halves apart, to see where the time goes: the sorted listing
// alone, and the raw reads of every page.
void BM_ListFiles(benchmark::State& state)
{
    const QString folder = pageFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(files::listFiles(folder, store::kPageFileMask).size());
    state.counters["pages"] = benchmark::Counter(double(state.iterations()) * kPages,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListFiles)->Unit(benchmark::kMillisecond);

void BM_ReadBytes(benchmark::State& state)
{
    const QString folder = pageFolder();
    const QStringList names = files::listFiles(folder, store::kPageFileMask);
    for (auto _ : state) {
        const files::OpenedFolder f(folder);
        for (const QString& n : names)
            benchmark::DoNotOptimize(f.readBytes(n)->size());
    }
    state.counters["pages"] = benchmark::Counter(double(state.iterations()) * kPages,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

// 100 pages of 1 MB each: a title at the head, then Japanese text.
constexpr int kLargePages = 100;
constexpr qsizetype kLargePageBytes = 1024 * 1024;

const QString& largePageFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        const QByteArray body = QStringLiteral("<P>池のカエルを毎日観察しました。</P>\n").toUtf8();
        bool all = true;
        for (int i = 0; i < kLargePages; ++i) {
            QByteArray page = pageText(i).toUtf8();
            page.replace("</BODY>", body.repeated(int(kLargePageBytes / body.size())) + "</BODY>");
            const QString name = QStringLiteral("%1_large%2.html").arg(1000 + 10 * i).arg(i);
            all = files::writeBytes(files::joinPath(dir.path(), name), page, {QDir::tempPath()}) && all;
        }
        return all;
    }();
    static const QString path = written ? dir.path() : QString();
    return path;
}

void BM_OpenFolderOfLargePages(benchmark::State& state)
{
    const QString folder = largePageFolder();
    store::PageLevels levels;
    levels.ExeBaseName = QStringLiteral("Pagora");
    levels.OpenFolder(folder, 0, true); // warm the file system cache
    if (levels.PBanSu() != kLargePages || !levels.topTitles().value(0).startsWith(QStringLiteral("ページ 0")))
        state.SkipWithError("the large pages were not listed with their titles");
    for (auto _ : state) {
        levels.OpenFolder(folder, 0, false);
        benchmark::DoNotOptimize(levels.MidashiT.last().size());
    }
    state.counters["pages"] = benchmark::Counter(double(state.iterations()) * kLargePages,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OpenFolderOfLargePages)->Unit(benchmark::kMillisecond);

// The peer: grep reading the first TITLE of every page of the same folder.
void BM_GrepTitlesOfLargePages(benchmark::State& state)
{
    const QString folder = largePageFolder();
    for (auto _ : state) {
        QProcess grep;
        grep.start(QStringLiteral("grep"), {QStringLiteral("-rhom1"), QStringLiteral("<TITLE>[^<]*"), folder});
        grep.waitForFinished(-1);
        const int titles = int(grep.readAllStandardOutput().count('\n'));
        if (titles != kLargePages)
            state.SkipWithError("grep did not find every title");
    }
    state.counters["pages"] = benchmark::Counter(double(state.iterations()) * kLargePages,
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GrepTitlesOfLargePages)->Unit(benchmark::kMillisecond);

} // namespace
