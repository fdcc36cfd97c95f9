#include "store/quiz.h"

#include "store/quiz_markup.h"
#include "store/quiz_texts.h"
#include "store/text.h"

#include <QStringList>

namespace store {

namespace qm = quiz_markup;
namespace qt = quiz_texts;

QString RepeatText(const QString& s, int n)
{
    return n <= 0 ? QString() : s.repeated(n);
}

namespace {

enum class BracketKind { Text, Choice, Input };

BracketKind classify(const QString& c)
{
    if (c.contains(u'"') || c.contains(u'<') || c.contains(u'>'))
        return BracketKind::Text;
    const bool alt = c.contains(QuizAlt);
    if (alt && c.contains(QuizAlt2))
        return BracketKind::Choice;
    return alt ? BracketKind::Text : BracketKind::Input;
}

QString choiceField(const QString& c)
{
    const int alt = c.indexOf(QuizAlt);
    QString f = QStringLiteral("<SELECT name=\"") + c.left(alt) +
                QStringLiteral("\"><OPTION value=\"?\">?</OPTION>");
    for (const QString& a : c.mid(alt + QuizAlt.size()).split(QuizAlt2))
        f += QStringLiteral("<OPTION value=\"") + a + QStringLiteral("\">") + a + QStringLiteral("</OPTION>");
    return f + QStringLiteral("</SELECT>");
}

QString inputField(const QString& c)
{
    return QStringLiteral("<input type=\"text\" name=\"") + c + QStringLiteral("\" size=\"") +
           QString::number(c.size() + 3) + QStringLiteral("\">");
}

// The body with its brackets turned into fields; counts the questions.
QString fieldsOf(const QString& body, int* questions)
{
    return qm::replaceTextBrackets(body, [questions](const QString& c) {
        switch (classify(c)) {
        case BracketKind::Choice: ++*questions; return choiceField(c);
        case BracketKind::Input: ++*questions; return inputField(c);
        case BracketKind::Text: break;
        }
        return QuizOpen + c + QuizClose;
    });
}

} // namespace

QString MakeQuizPage(const QString& page)
{
    const QString cr = QStringLiteral("\r");
    const QString upper = text::upper(page);
    const int body = upper.indexOf(QStringLiteral("<BODY"));
    const int gt = body < 0 ? -1 : page.indexOf(u'>', body);
    if (gt < 0)
        return page;
    const QString head = page.left(gt + 1);
    const int end = upper.indexOf(QStringLiteral("</BODY>"), gt + 1);
    const QString bodyText = end < 0 ? page.mid(gt + 1) : page.mid(gt + 1, end - gt - 1);
    const QString tail = end < 0 ? QString() : page.mid(end);

    int questions = 0;
    const QString fields = fieldsOf(bodyText, &questions);
    QString p = head + kQuizBegin + cr + QStringLiteral("<FORM name=\"myForm\">") + cr;
    if (questions > 0) {
        p += qt::scriptHead() + QStringLiteral("var kazu=") + QString::number(questions) +
             QString::fromUtf8(";//問題数") + cr + qt::checkingScript() + cr + kQuizEnd + fields + kQuizBegin + cr +
             QStringLiteral("<BR>") + cr + qt::buttons() + QStringLiteral("\r\n") +
             RepeatText(QStringLiteral("<BR>"), 50) + qt::rightMessage() + RepeatText(QStringLiteral("<BR>"), 10) +
             qt::firstWrongMessage() + RepeatText(QStringLiteral("<BR>"), 10) + qt::repeatWrongMessage() +
             RepeatText(QStringLiteral("<BR>"), 10) + cr;
    } else {
        p += qt::jumpScript() + cr + kQuizEnd + fields + kQuizBegin + cr + QStringLiteral("<BR>") + cr +
             qt::nextPageForm() + cr;
    }
    return p + QStringLiteral("</FORM>") + cr + kQuizEnd + tail;
}

QString AddAnswerButton(const QString& page)
{
    const QString marker = QStringLiteral("<!--NOTE_OUT-->");
    const int m = page.indexOf(marker);
    if (m < 0)
        return page;
    const int split = m + marker.size();
    const int lt = page.indexOf(u'<', split);
    const int cut = lt < 0 ? split : lt;
    return page.left(cut) + qt::answerBlock() + page.mid(cut);
}

namespace {

// Drops the answer block and the line break after it: up to the first "<"
// after the end marker.
QString removeAnswerBlock(const QString& page)
{
    const QString begin = QStringLiteral("<!--beginPagora_ANSWER");
    const int first = page.indexOf(begin);
    if (first < 0)
        return page;
    const int e = page.indexOf(QStringLiteral("<!--endPagora"), first);
    if (e < 0)  // no end marker: only the start marker goes
        return page.left(first) + page.mid(first + begin.size());
    // of several starts before the end, the nearest opens the block
    const int b = page.lastIndexOf(begin, e - begin.size());
    // Normally only the block's own line break stands before the next tag;
    // other text there stays.
    const int gt = page.indexOf(u'>', e);
    const int afterEnd = gt < 0 ? page.size() : gt + 1;
    const int lt = page.indexOf(u'<', afterEnd);
    const QString between = page.mid(afterEnd, (lt < 0 ? page.size() : lt) - afterEnd);
    int cut = afterEnd + (between.startsWith(QStringLiteral("\r\n")) ? 2 : 0);
    if (lt >= 0 && text::trim(between).isEmpty())
        cut = lt;
    return page.left(b) + page.mid(cut);
}

QString restoreFields(const QString& page)
{
    QString p = qm::removeGeneratedBlocks(page);
    p = qm::replaceInputs(p, [](const QString& name) { return QStringLiteral("(") + name + QStringLiteral(")"); });
    return qm::replaceSelects(p, [](const QString& name, const QStringList& options) {
        // The "?" entry leads every generated list; a list written by hand
        // without it keeps all its entries.
        const bool leadingQuestion = !options.isEmpty() && options.first() == QStringLiteral("?");
        return QuizOpen + name + QuizAlt + options.mid(leadingQuestion ? 1 : 0).join(QuizAlt2) + QuizClose;
    });
}

} // namespace

QuizRestore RestoreQuizNotation(const QString& page)
{
    QuizRestore r;
    r.text = page;
    if (!page.contains(QStringLiteral("<!--beginPagora")))
        return r;
    if (page.contains(QStringLiteral("<!--beginPagora_ANSWER"))) {
        r.CheckBox2 = true;
        r.text = removeAnswerBlock(page);
        return r;
    }
    r.CheckBox1 = true;
    r.Panel19Raised = true;
    r.text = restoreFields(page);
    return r;
}

} // namespace store
