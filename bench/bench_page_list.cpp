// How fast a folder opens as a page list: a warm PageLevels::OpenFolder over
// a folder of small pages, titles read from every page.
#include "store/files.h"
#include "store/page_levels.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
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
            all = files::writeTextBom(files::joinPath(dir.path(), name), pageText(i)) && all;
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

} // namespace
