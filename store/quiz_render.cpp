#include "store/quiz_render.h"

#include "store/quiz.h"
#include "store/quiz_markup.h"
#include "store/text.h"

#include <QStringList>

namespace store {

namespace qm = quiz_markup;

namespace {

const QString kIdeographicSpace = QString(QChar(0x3000));

QString blanks(int length)
{
    return RepeatText(kIdeographicSpace, length + 1);
}

QString red(const QString& answer)
{
    return QStringLiteral("(<FONT color=\"#ff0000\">") + answer + QStringLiteral("</FONT>)");
}

// Plain notation: every bracket in text becomes blanks as long as its first
// alternative, plus one.
QString blankBrackets(const QString& page)
{
    const QString upper = text::upper(page);
    qm::BracketCloser closer(page);
    QString out;
    int i = 0;
    for (;;) {
        const int open = qm::nextTextBracket(page, upper, i);
        if (open < 0)
            return out + page.mid(i);
        const int close = closer.close(open);
        out += page.mid(i, open - i) + QuizOpen;
        i = open + QuizOpen.size();
        if (close < 0)
            continue;
        const QString c = page.mid(i, close - i);
        out += blanks(qm::firstAlternative(c).size()) + QuizClose;
        i = close + QuizClose.size();
    }
}

QString renderFields(const QString& page, int mode)
{
    QString p = qm::removeGeneratedBlocks(page);
    p = qm::replaceInputs(p, [mode](const QString& v) {
        if (mode == kRenderBlanks)
            return QStringLiteral("(") + blanks(qm::firstAlternative(v).size()) + QStringLiteral(")");
        return red(v);
    });
    return qm::replaceSelects(p, [mode](const QString& name, const QStringList&) {
        if (mode == kRenderBlanks)
            return QuizOpen + blanks(name.size()) + QuizClose;
        return red(name);
    });
}

} // namespace

QString RenderQuizAnswers(const QString& page, int mode)
{
    if (page.contains(QStringLiteral("<!--beginPagora")))
        return renderFields(page, mode);
    return mode == kRenderBlanks ? blankBrackets(page) : page;
}

} // namespace store
