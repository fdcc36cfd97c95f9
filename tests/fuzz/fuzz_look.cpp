// Feeds random page texts and titles to the LOOK keyword linker, and random
// texts to the search word rules and the search in a page's bytes. The
// first four lines of an input are page titles, the rest is the page. For a page without keyword links of its
// own, linking must end, and removing the links must give the page back
// unchanged, and the linker must give the same bytes as the linker as first
// written; any crash, hang or sanitizer report is a fault.
//
//   ./fuzz_look -dict=tests/fuzz/look.dict -max_total_time=60 corpus/

#include "store/text.h"
#include "tests/fuzz/look_links_reference.h"
#include "tools/look_links.h"
#include "tools/search_bytes.h"
#include "tools/search_cache.h"
#include "tools/search_title.h"
#include "tools/search_words.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tools;

namespace {

void checkSearchWords(const QString& input)
{
    const QString sep = searchSeparator(input);
    for (const QString& w : splitSearchWords(input)) {
        if (w.isEmpty() || w.contains(sep))
            std::abort();
        headingMatches(input, w, sep);
    }
    normaliseTitle(input);
    keywordPartLength(input);
    if (cutComments(input).size() > input.size())
        std::abort();
    rawSearchBytes(input);
}

// The answer from a page's bytes, where they give one, is the answer from its text.
void checkByteSearch(const QByteArray& bytes, const QString& firstLine)
{
    for (const QString& word : splitSearchWords(firstLine)) {
        for (const QString& w : {word, word.left(2)}) {
            const ByteAnswer answer = searchBytes(bytes, byteWordFor(w));
            if (answer != ByteAnswer::NeedsText && (answer == ByteAnswer::Yes) != searchText(bytes).contains(text::upper(w)))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkSearchWords(input);
    checkByteSearch(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), input.section(QLatin1Char('\n'), 0, 0));

    QStringList lines = input.split(QLatin1Char('\n'));
    QList<LookPage> pages;
    while (pages.size() < 4 && lines.size() > 1)
        pages.append({QStringLiteral("/data/p%1.html").arg(pages.size()), lines.takeFirst()});
    const QString page = lines.join(QLatin1Char('\n'));

    const QString removed = removeLookLinks(page);
    if (removed.size() > page.size())
        std::abort();
    if (text::upper(page).contains(QStringLiteral("<A HREF=\"/$LOOK")))
        return 0; // links of its own: removal takes them away, by design
    if (removed != page)
        std::abort();
    const QString linked = addLookLinks(page, pages, QStringLiteral("/data/self.html"));
    if (linked != lookreference::addLookLinks(page, pages, QStringLiteral("/data/self.html")))
        std::abort();
    if (removeLookLinks(linked) != page)
        std::abort();
    if (addLookLinks(linked, pages, QStringLiteral("/data/self.html")) != linked)
        std::abort();
    return 0;
}
