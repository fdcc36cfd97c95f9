#include "store/quiz_render.h"

#include "store/quiz.h"
#include "store/quiz_markup.h"

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
    return qm::replaceTextBrackets(page, [](const QString& c) {
        return QuizOpen + blanks(qm::firstAlternative(c).size()) + QuizClose;
    });
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
