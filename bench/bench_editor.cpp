// The page editor on a typical page (an example page with its picture) and on
// a page of 1 MB: from handing the page over until every field shows it, and
// "上書き保存" until the page is on disk. Offscreen; counters in ms.
// Run from the build folder: ./bench_editor
#include "bench/run_benchmarks.h"
#include "bench/temporary_home.h"
#include "editor/forms/form2.h"
#include "platform/seam.h"
#include "store/files.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

const char* const kTypical = "1010_季節の花.html";

QByteArray examplePage()
{
    QFile f(QStringLiteral(PAGORA_EXAMPLES_DIR) + QStringLiteral("/") + QString::fromUtf8(kTypical));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The example with its paragraph grown to about 1 MB of Japanese text.
QByteArray largePage(const QByteArray& page)
{
    const QByteArray line = QStringLiteral("春にはアサガオの種をまき、夏に花を楽しみます。<BR>").toUtf8();
    QByteArray text;
    while (text.size() < 1024 * 1024)
        text += line;
    QByteArray large = page;
    const int at = large.indexOf("</P><!--NOTE_OUT-->");
    return at < 0 ? QByteArray() : large.insert(at, text);
}

struct Timings {
    std::vector<double> open, save;
};

// One open and one save of the page at path, which is given bytes first.
bool openAndSave(QWidget* main, const QString& path, const QByteArray& bytes, Timings& t)
{
    if (!files::writeBytes(path, bytes, {QDir::tempPath()}))
        return false;
    auto* form = new TForm2(main);
    QElapsedTimer clock;
    clock.start();
    form->setWindowTitle(path);
    form->page.Memo82 = files::readUtf8(path).value_or(QString());
    form->show();
    QApplication::processEvents();
    t.open.push_back(double(clock.nsecsElapsed()) / 1e6);
    clock.restart();
    form->BitBtn4->click();
    t.save.push_back(double(clock.nsecsElapsed()) / 1e6);
    const bool saved = form->savedLastTime();
    delete form;
    return saved;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void runEditor(benchmark::State& state, bool large)
{
    QTemporaryDir dir;
    const QByteArray example = examplePage();
    const QByteArray bytes = large ? largePage(example) : example;
    QFile::copy(QStringLiteral(PAGORA_EXAMPLES_DIR "/flower.png"), dir.filePath(QStringLiteral("flower.png")));
    if (bytes.isEmpty()) {
        state.SkipWithError("the example page is missing");
        return;
    }
    QWidget main;
    main.resize(1265, 742);
    const QString path = dir.filePath(QString::fromUtf8(kTypical));
    Timings t;
    for (auto _ : state) {
        if (!openAndSave(&main, path, bytes, t)) {
            state.SkipWithError("the page was not saved");
            break;
        }
        state.SetIterationTime((t.open.back() + t.save.back()) / 1e3);
    }
    state.counters["page_KiB"] = double(bytes.size()) / 1024.0;
    state.counters["open_ms"] = median(t.open);
    state.counters["save_ms"] = median(t.save);
}

void BM_EditorTypicalPage(benchmark::State& state) { runEditor(state, false); }
void BM_EditorPageOf1MB(benchmark::State& state) { runEditor(state, true); }
BENCHMARK(BM_EditorTypicalPage)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorPageOf1MB)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    bench::useTemporaryHome(home);
    QApplication app(argc, argv);
    platform::setTestMode(true);
    return bench::runBenchmarks(argc, argv);
}
