#include "store/page_tags.h"

#include "store/text.h"

namespace store {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':'; }

// Parses the value after "=" at index i; fills the span's value and end.
void parseValue(const QString& text, int i, AttributeSpan& span)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
        const QChar quote = text[i];
        int close = text.indexOf(quote, i + 1);
        span.valueStart = i + 1;
        if (close < 0) {  // unclosed: the value runs to the tag's end
            int gt = text.indexOf(u'>', i + 1);
            close = gt < 0 ? text.size() : gt;
            span.valueEnd = close;
            span.end = close;
        } else {
            span.valueEnd = close;
            span.end = close + 1;
        }
        return;
    }
    span.valueStart = i;
    while (i < text.size() && !isBlank(text[i]) && text[i] != u'>')
        ++i;
    span.valueEnd = i;
    span.end = i;
}

} // namespace

std::optional<AttributeSpan> findAttribute(const QString& text, const QString& name, bool startsInTag)
{
    if (name.isEmpty())
        return std::nullopt;
    const QString lowerText = text::lower(text);
    const QString lowerName = text::lower(name);
    bool inTag = startsInTag;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!inTag) {
            if (c == u'<')
                inTag = true;
            continue;
        }
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            inTag = false;
        } else if (i > 0 && isBlank(text[i - 1]) && lowerText.mid(i, lowerName.size()) == lowerName) {
            int j = i + lowerName.size();
            if (j < text.size() && isNameChar(text[j]))
                continue;
            while (j < text.size() && isBlank(text[j]))
                ++j;
            if (j >= text.size() || text[j] != u'=')
                continue;
            AttributeSpan span;
            span.nameStart = i;
            parseValue(text, j + 1, span);
            return span;
        }
    }
    return std::nullopt;
}

std::optional<QString> attributeValue(const QString& text, const QString& name, bool startsInTag)
{
    const auto span = findAttribute(text, name, startsInTag);
    if (!span)
        return std::nullopt;
    return text.mid(span->valueStart, span->valueEnd - span->valueStart);
}

int tagCloseIndex(const QString& text, int from)
{
    QChar quote;
    for (int i = from + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i;
        }
    }
    return text.indexOf(u'>', from);
}

QString SetTagAttribute(const QString& tag, const QString& attribute)
{
    if (tag.indexOf(u'>') < 0)
        return QString();
    const int close = tagCloseIndex(tag, 0);
    if (attribute.isEmpty()) {
        const auto align = findAttribute(tag, QStringLiteral("align"), true);
        const int cut = align && align->nameStart < close ? align->nameStart : close;
        return text::trimRight(tag.left(cut)) + tag.mid(close);
    }
    const int eq = attribute.indexOf(u'=');
    const QString name = eq < 0 ? attribute : attribute.left(eq);
    const QString value = eq < 0 ? QString() : attribute.mid(eq + 1);
    QString head;
    QString tail;
    const auto found = findAttribute(tag, name, true);
    if (found && found->nameStart < close) {
        head = tag.left(found->nameStart);
        tail = tag.mid(found->end);
    } else {
        head = text::trimRight(tag.left(close)) + QStringLiteral(" ");
        tail = tag.mid(close);
    }
    if (value == QStringLiteral("\"\""))
        return head + tail;
    return head + name + QStringLiteral("=") + value + tail;
}

QString EscapeTitleText(const QString& s)
{
    QString r = s;
    r.replace(QStringLiteral("<"), QStringLiteral("&lt;"));
    r.replace(QStringLiteral(">"), QStringLiteral("&gt;"));
    return r;
}

QString UnescapeTitleText(const QString& s)
{
    QString r = s;
    r.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    r.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return r;
}

} // namespace store
