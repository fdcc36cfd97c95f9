#include "store/quiz_markup.h"

#include "store/page_tags.h"
#include "store/quiz.h"
#include "store/text.h"

#include <QStringList>

#include <optional>

namespace store::quiz_markup {

namespace {

// A tag starts with "<" and an ASCII letter, "/", "!" or "?"; a "<" before
// anything else (a Japanese or accented letter, a digit) is plain text, as
// browsers read it.
bool startsMarkup(const QString& text, int i)
{
    if (i + 1 >= text.size())
        return false;
    const char16_t n = text[i + 1].unicode();
    return (n >= u'a' && n <= u'z') || (n >= u'A' && n <= u'Z') || n == u'/' || n == u'!' || n == u'?';
}

// 0-based index of the next "<" at or after from that starts markup; -1
// when none.
int nextMarkup(const QString& text, int from)
{
    for (int i = text.indexOf(u'<', from); i >= 0; i = text.indexOf(u'<', i + 1)) {
        if (startsMarkup(text, i))
            return i;
    }
    return -1;
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

// Finds where brackets close. A bracket found at `open` closes at the index
// close() returns when it closes in plain text before any markup; -1 means
// the "(" is plain text. Brackets must be asked in text order; the searches
// are remembered so a long run of "(" stays linear.
class BracketCloser {
public:
    explicit BracketCloser(const QString& text) : text_(text) {}
    int close(int open);

private:
    const QString& text_;
    int nextClose_ = -2;  // -2: not searched yet
    int nextTag_ = -2;
};

// 0-based index of the next QuizOpen at or after `from` that stands in plain
// text; -1 when none. `upper` is the upper-cased copy of text; `from` must be
// a plain-text position.
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
        nextTag_ = nextMarkup(text_, open + 1);
    if (nextClose_ < 0)
        return -1;
    if (nextTag_ >= 0 && nextTag_ < nextClose_)
        return -1;
    return nextClose_;
}

} // namespace

QString replaceTextBrackets(const QString& text, const std::function<QString(const QString&)>& replace)
{
    const QString upper = text::upper(text);
    BracketCloser closer(text);
    QString out;
    int i = 0;
    for (;;) {
        const int open = nextTextBracket(text, upper, i);
        if (open < 0)
            return out + text.mid(i);
        out += text.mid(i, open - i);
        const int close = closer.close(open);
        if (close < 0) {
            out += QuizOpen;
            i = open + int(QuizOpen.size());
            continue;
        }
        const int c = open + int(QuizOpen.size());
        out += replace(text.mid(c, close - c));
        i = close + int(QuizClose.size());
    }
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

namespace {

// Index just past the element that starts at `start`, or -1 for none.
using ElementEnd = std::function<int(const QString& page, const QString& upper, int start)>;
// The text that replaces an element, or nullopt to leave it.
using ElementReplacement = std::function<std::optional<QString>(const QString& element)>;

// Walks every element that starts with startTag (found in the upper-cased
// text) and replaces it. The walk goes on after each replacement, so it ends
// even where the replacement holds the tag again.
QString replaceElements(const QString& page, const QString& startTag, const ElementEnd& endOf,
                        const ElementReplacement& replace)
{
    QString p = page;
    QString upper = text::upper(page);
    int from = 0;
    for (;;) {
        const int s = upper.indexOf(startTag, from);
        if (s < 0)
            return p;
        const int end = endOf(p, upper, s);
        if (end < 0)
            return p;
        const std::optional<QString> by = replace(p.mid(s, end - s));
        if (!by) {
            from = end;
            continue;
        }
        p.replace(s, end - s, *by);
        upper.replace(s, end - s, text::upper(*by));
        from = s + int(by->size());
    }
}

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

QString replaceInputs(const QString& page, const std::function<QString(const QString&)>& replace)
{
    const auto tagEnd = [](const QString& p, const QString&, int start) {
        const int gt = p.indexOf(u'>', start);
        return gt < 0 ? -1 : gt + 1;
    };
    return replaceElements(page, QStringLiteral("<INPUT"), tagEnd,
                           [&replace](const QString& tag) -> std::optional<QString> {
                               bool hasName = false;
                               const QString name = nameValue(tag, &hasName);
                               if (!hasName)
                                   return std::nullopt;
                               return replace(name);
                           });
}

QString replaceSelects(const QString& page,
                       const std::function<QString(const QString&, const QStringList&)>& replace)
{
    const auto elementEnd = [](const QString& p, const QString& upper, int start) {
        const QString endTag = QStringLiteral("</SELECT>");
        const int e = upper.indexOf(endTag, start);
        if (e >= 0)
            return e + int(endTag.size());
        const int gt = p.indexOf(u'>', start); // no end tag: the start tag alone
        return gt < 0 ? int(p.size()) : gt + 1;
    };
    return replaceElements(page, QStringLiteral("<SELECT"), elementEnd,
                           [&replace](const QString& element) -> std::optional<QString> {
                               const int gt = element.indexOf(u'>');
                               bool hasName = false;
                               const QString name = nameValue(gt < 0 ? element : element.left(gt + 1), &hasName);
                               return replace(name, optionTexts(element));
                           });
}

} // namespace store::quiz_markup
