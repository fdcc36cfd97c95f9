#include "store/quiz_markup.h"

#include "store/page_tags.h"
#include "store/quiz.h"
#include "store/text.h"

#include <QStringList>

namespace store::quiz_markup {

namespace {

bool startsMarkup(const QString& text, int i)
{
    if (i + 1 >= text.size())
        return false;
    const QChar n = text[i + 1];
    return n.isLetter() || n == u'/' || n == u'!' || n == u'?';
}

// Index just past the markup that starts with "<" at i.
int skipMarkup(const QString& text, const QString& upper, int i)
{
    if (text.mid(i, 4) == QStringLiteral("<!--")) {
        const int end = text.indexOf(QStringLiteral("-->"), i + 4);
        return end < 0 ? text.size() : end + 3;
    }
    const int close = tagCloseIndex(text, i);
    const int afterTag = close < 0 ? text.size() : close + 1;
    for (const QString& element : {QStringLiteral("SCRIPT"), QStringLiteral("STYLE")}) {
        const QString open = QStringLiteral("<") + element;
        if (upper.mid(i, open.size()) != open)
            continue;
        const int after = i + open.size();
        if (after < text.size() && text[after].isLetterOrNumber())
            continue;
        const int end = upper.indexOf(QStringLiteral("</") + element, afterTag);
        if (end < 0)
            return text.size();
        const int endClose = tagCloseIndex(text, end);
        return endClose < 0 ? text.size() : endClose + 1;
    }
    return afterTag;
}

} // namespace

int nextTextBracket(const QString& text, const QString& upper, int from)
{
    const QChar open = QuizOpen.at(0);
    int i = from;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'<' && startsMarkup(text, i)) {
            i = skipMarkup(text, upper, i);
        } else if (c == open) {
            return i;
        } else {
            ++i;
        }
    }
    return -1;
}

int BracketCloser::close(int open)
{
    if (nextClose_ != -1 && nextClose_ <= open)
        nextClose_ = text_.indexOf(QuizClose, open + 1);
    if (nextTag_ != -1 && nextTag_ <= open)
        nextTag_ = text_.indexOf(u'<', open + 1);
    if (nextClose_ < 0)
        return -1;
    if (nextTag_ >= 0 && nextTag_ < nextClose_)
        return -1;
    return nextClose_;
}

QString firstAlternative(const QString& x)
{
    int cut = x.size();
    const int alt = x.indexOf(QuizAlt);
    const int alt2 = x.indexOf(QuizAlt2);
    if (alt >= 0)
        cut = alt;
    if (alt2 >= 0 && alt2 < cut)
        cut = alt2;
    return x.left(cut);
}

QString removeGeneratedBlocks(const QString& page)
{
    const QString begin = QStringLiteral("<!--beginPagora");
    const QString end = QStringLiteral("<!--endPagora");
    QString p = page;
    for (;;) {
        const int first = p.indexOf(begin);
        if (first < 0)
            return p;
        const int e = p.indexOf(end, first);
        const int gt = e < 0 ? -1 : p.indexOf(u'>', e);
        if (gt < 0) {  // no end: drop the start marker alone so the walk ends
            const bool whole = p.mid(first, kQuizBegin.size()) == kQuizBegin;
            p.remove(first, whole ? kQuizBegin.size() : begin.size());
            continue;
        }
        // of several starts before the end, the nearest opens the block
        const int b = p.lastIndexOf(begin, e - begin.size());
        p.remove(b, gt + 1 - b);
    }
}

QString nameValue(const QString& tag, bool* found)
{
    const int n = text::upper(tag).indexOf(QStringLiteral("NAME="));
    *found = n >= 0;
    if (n < 0)
        return QString();
    int i = n + 5;
    while (i < tag.size() && tag[i] == u' ')
        ++i;
    if (i < tag.size() && tag[i] == u'"') {
        int q2 = tag.indexOf(u'"', i + 1);
        if (q2 < 0)
            q2 = tag.endsWith(u'>') ? tag.size() - 1 : tag.size();
        return tag.mid(i + 1, q2 - i - 1);
    }
    int j = i;
    while (j < tag.size() && tag[j] != u' ' && tag[j] != u'>')
        ++j;
    return tag.mid(i, j - i);
}

QString replaceInputs(const QString& page, const std::function<QString(const QString&)>& replace)
{
    QString p = page;
    QString upper = text::upper(page);
    int from = 0;
    for (;;) {
        const int i = upper.indexOf(QStringLiteral("<INPUT"), from);
        if (i < 0)
            return p;
        const int gt = p.indexOf(u'>', i);
        if (gt < 0)
            return p;
        const QString tag = p.mid(i, gt + 1 - i);
        bool hasName = false;
        const QString name = nameValue(tag, &hasName);
        if (!hasName) {
            from = gt + 1;
            continue;
        }
        const QString by = replace(name);
        p.replace(i, tag.size(), by);
        upper.replace(i, tag.size(), text::upper(by));
        from = i + by.size();
    }
}

namespace {

// Texts of the OPTION elements of a SELECT element, in order.
QStringList optionTexts(const QString& element)
{
    const QString upper = text::upper(element);
    QStringList texts;
    int from = 0;
    for (;;) {
        const int o = upper.indexOf(QStringLiteral("<OPTION"), from);
        if (o < 0)
            return texts;
        const int gt = element.indexOf(u'>', o);
        if (gt < 0)
            return texts;
        int lt = element.indexOf(u'<', gt + 1);
        if (lt < 0)
            lt = element.size();
        texts << element.mid(gt + 1, lt - gt - 1);
        from = lt;
    }
}

} // namespace

QString replaceSelects(const QString& page,
                       const std::function<QString(const QString&, const QStringList&)>& replace)
{
    const QString endTag = QStringLiteral("</SELECT>");
    QString p = page;
    QString upper = text::upper(page);
    int from = 0;
    for (;;) {
        const int s = upper.indexOf(QStringLiteral("<SELECT"), from);
        if (s < 0)
            return p;
        const int e = upper.indexOf(endTag, s);
        int end = e < 0 ? -1 : e + endTag.size();
        if (end < 0) {
            const int gt = p.indexOf(u'>', s);
            end = gt < 0 ? p.size() : gt + 1;
        }
        const QString element = p.mid(s, end - s);
        const int gt = element.indexOf(u'>');
        bool hasName = false;
        const QString name = nameValue(gt < 0 ? element : element.left(gt + 1), &hasName);
        const QString by = replace(name, optionTexts(element));
        p.replace(s, end - s, by);
        upper.replace(s, end - s, text::upper(by));
        from = s + by.size();
    }
}

} // namespace store::quiz_markup
