// Feeds random pages to the page reader and writer, and random texts to the
// quiz functions and the renderings. Any crash, hang or sanitizer report is
// a fault; found inputs go into the unit tests under tests/store/.
//
//   ./fuzz_page -dict=tests/fuzz/page.dict -max_total_time=60 corpus/

#include "store/page_file.h"

#include <QString>
#include <cstddef>
#include <cstdint>

using namespace store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // Pages: read, build, read the result again and build once more. No path:
    // no file is touched.
    PageModel m;
    m.Memo82 = input;
    LoadPageIntoEditor(m, QString());
    BuildPageHtml(m, QString());
    const QString built = m.Memo82;
    LoadPageIntoEditor(m, QString());
    BuildPageHtml(m, QString());
    m.CheckBox1 = true;
    BuildPageHtml(m, QString());
    m.CheckBox1 = false;
    m.CheckBox2 = true;
    BuildPageHtml(m, QString());

    // Quiz texts and renderings on the raw input.
    const QString quiz = MakeQuizPage(input);
    RestoreQuizNotation(quiz);
    RestoreQuizNotation(input);
    AddAnswerButton(input);
    RenderQuizAnswers(input, kRenderBlanks);
    RenderQuizAnswers(input, kRenderRedAnswers);
    RenderQuizAnswers(quiz, kRenderBlanks);

    // Tags: the first line is the tag, the rest the attribute.
    const int nl = input.indexOf(u'\n');
    const QString tag = nl < 0 ? input : input.left(nl);
    const QString attribute = nl < 0 ? QString() : input.mid(nl + 1);
    SetTagAttribute(tag, attribute);
    attributeValue(input, QStringLiteral("width"));
    return 0;
}
