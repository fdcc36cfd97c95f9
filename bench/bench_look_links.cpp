// LOOK keyword links on a 1 MB page with 1,000 keywords (titles of other
// pages), beside `grep -oF -f keywords page | wc -l` over the same page and
// keywords in the same run, and the linker as first written (one search of
// the page per keyword) once for comparison. The linker must give the same
// bytes as the first one.
//
//   ./bench_look_links
#include "store/files.h"
#include "tests/fuzz/look_links_reference.h"
#include "tools/look_links.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <QProcess>
#include <QTemporaryDir>
#include <random>

namespace {

constexpr int kKeywords = 1000;
constexpr int kPageBytes = 1 << 20;

const QString kKana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん");
const QString kKanji = QStringLiteral("池川山森花草虫魚鳥雨雪風空星月日火水木金土石田町村海");

QString randomWord(std::mt19937& random)
{
    QString w;
    const int length = 3 + int(random() % 3);
    for (int i = 0; i < length; ++i) {
        const QString& from = i == 0 ? kKanji : kKana;
        w += from.at(int(random() % unsigned(from.size())));
    }
    return w;
}

struct Input {
    QList<tools::LookPage> pages; // shortest keyword part first, as listed for linking
    QString page;
    QStringList keywords;
};

// A page of paragraphs, links and emphasis made of 6,000 words, a sixth
// of them keywords of other pages; titles of a name and one keyword each.
const Input& input()
{
    static const Input made = [] {
        Input in;
        std::mt19937 random(2026);
        QStringList vocabulary;
        for (int i = 0; i < 6 * kKeywords; ++i)
            vocabulary << randomWord(random) + (i % 7 == 0 ? QStringLiteral("pond") : QString());
        for (int i = 0; i < kKeywords; ++i) {
            const QString keyword = vocabulary[i * 6];
            in.keywords << keyword;
            in.pages.append({QStringLiteral("/data/p%1.html").arg(i), QStringLiteral("頁%1#").arg(i) + keyword});
        }
        std::stable_sort(in.pages.begin(), in.pages.end(), [](const tools::LookPage& a, const tools::LookPage& b) {
            return a.title.size() - a.title.indexOf('#') < b.title.size() - b.title.indexOf('#');
        });
        QString body;
        int bytes = 0;
        while (bytes < kPageBytes) {
            QString paragraph = QStringLiteral("<P>");
            for (int i = 0; i < 40; ++i) {
                const QString& w = vocabulary[int(random() % unsigned(vocabulary.size()))];
                if (i % 13 == 5)
                    paragraph += QStringLiteral("<A href=\"other.html\">") + w + QStringLiteral("</A>");
                else if (i % 17 == 3)
                    paragraph += QStringLiteral("<B>") + w + QStringLiteral("</B>");
                else
                    paragraph += w;
                paragraph += i % 5 == 4 ? QStringLiteral("。") : QStringLiteral("、");
            }
            paragraph += QStringLiteral("</P>\r\n");
            bytes += int(paragraph.toUtf8().size());
            body += paragraph;
        }
        in.page = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML><HEAD>"
                                 "<TITLE>観察</TITLE></HEAD><BODY>\r\n")
            + body + QStringLiteral("</BODY></HTML>\r\n");
        return in;
    }();
    return made;
}

void BM_LookLinks(benchmark::State& state)
{
    const Input& in = input();
    QString linked;
    for (auto _ : state)
        linked = tools::addLookLinks(in.page, in.pages, QStringLiteral("/data/self.html"));
    state.counters["links"] = double(linked.count(tools::kLookLinkStart));
    state.counters["page_MB"] = double(in.page.toUtf8().size()) / (1 << 20);
}
BENCHMARK(BM_LookLinks)->Unit(benchmark::kMillisecond);

void BM_LookLinksFirstLinker(benchmark::State& state)
{
    const Input& in = input();
    QString linked;
    for (auto _ : state)
        linked = lookreference::addLookLinks(in.page, in.pages, QStringLiteral("/data/self.html"));
    if (linked != tools::addLookLinks(in.page, in.pages, QStringLiteral("/data/self.html")))
        state.SkipWithError("the linkers gave different pages");
}
BENCHMARK(BM_LookLinksFirstLinker)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GrepKeywords(benchmark::State& state)
{
    const Input& in = input();
    QTemporaryDir dir;
    const QString page = files::joinPath(dir.path(), QStringLiteral("page.html"));
    const QString keywords = files::joinPath(dir.path(), QStringLiteral("keywords"));
    if (!files::writeBytes(page, in.page.toUtf8(), {QDir::tempPath()})
        || !files::writeBytes(keywords, in.keywords.join(QLatin1Char('\n')).toUtf8() + '\n', {QDir::tempPath()})) {
        state.SkipWithError("the page could not be written");
        return;
    }
    QByteArray count;
    for (auto _ : state) {
        QProcess sh;
        sh.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("grep -oF -f '%1' '%2' | wc -l").arg(keywords, page)});
        sh.waitForFinished(-1);
        count = sh.readAllStandardOutput();
    }
    state.counters["found"] = count.trimmed().toDouble();
}
BENCHMARK(BM_GrepKeywords)->Unit(benchmark::kMillisecond);

} // namespace
