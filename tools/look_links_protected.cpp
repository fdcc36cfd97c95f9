#include "tools/look_links_protected.h"

#include <algorithm>

namespace tools {

namespace {

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F');
}

// True when "<NAME" at at starts that element: the name followed by a
// blank, "/", ">" or the text's end.
bool startsElement(QStringView upper, int at, QLatin1String name)
{
    if (!upper.mid(at).startsWith(name))
        return false;
    const int after = at + int(name.size());
    if (after >= upper.size())
        return true;
    const QChar c = upper.at(after);
    return c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('/');
}

// "<" or "</" then the name, followed by a blank or ">" (never the start of
// a longer name).
bool tagNamed(QStringView upper, int at, QLatin1String opening, QLatin1String name)
{
    if (at < 0 || !upper.mid(at).startsWith(opening) || !upper.mid(at + opening.size()).startsWith(name))
        return false;
    const int after = at + int(opening.size() + name.size());
    return after < upper.size() && (upper.at(after).isSpace() || upper.at(after) == QLatin1Char('>'));
}

// Elements whose text the browser takes as written, never as markup.
const QLatin1String kRawElements[] = {QLatin1String("SCRIPT"), QLatin1String("STYLE"), QLatin1String("TEXTAREA"),
                                      QLatin1String("TITLE")};

// The raw element that starts at at, or an empty name.
QLatin1String rawElementAt(const QString& upper, int at)
{
    for (const QLatin1String name : kRawElements)
        if (upper.size() > at + 1 && startsElement(upper, at + 1, name) && upper.at(at) == QLatin1Char('<'))
            return name;
    return QLatin1String();
}

// Through the end of what closes the block opened at at: "-->" for a
// comment, "</NAME ...>" for a raw element; the text's end when it never
// closes.
int blockEnd(const QString& upper, int at)
{
    const auto through = [&upper](int found, int length) { return found < 0 ? int(upper.size()) : found + length; };
    if (QStringView(upper).mid(at).startsWith(QLatin1String("<!--")))
        return through(int(upper.indexOf(QLatin1String("-->"), at + 4)), 3);
    const QLatin1String name = rawElementAt(upper, at);
    const QString close = QLatin1String("</") + name;
    int found = int(upper.indexOf(close, at + 1));
    while (found >= 0 && !startsElement(upper, found + 2, name)) // "</TITLE2>" closes nothing
        found = int(upper.indexOf(close, found + 1));
    if (found < 0)
        return int(upper.size());
    return through(int(upper.indexOf(QLatin1Char('>'), found)), 1);
}

// The end of a character reference starting with the '&' at at: a name or
// a decimal or hexadecimal number, then an optional ';'; at itself when none.
int referenceEnd(const QString& upper, int at)
{
    const int size = int(upper.size());
    int i = at + 1;
    if (i < size && upper.at(i) == QLatin1Char('#')) {
        ++i;
        const bool hex = i < size && upper.at(i) == QLatin1Char('X');
        const int digits = hex ? i + 1 : i;
        int j = digits;
        while (j < size && (hex ? isHexDigit(upper.at(j)) : upper.at(j).isDigit() && upper.at(j).unicode() < 128))
            ++j;
        if (j == digits)
            return at;
        i = j;
    } else {
        if (i >= size || !(upper.at(i).unicode() >= 'A' && upper.at(i).unicode() <= 'Z'))
            return at;
        while (i < size && isAsciiAlnum(upper.at(i)))
            ++i;
    }
    return i < size && upper.at(i) == QLatin1Char(';') ? i + 1 : i;
}

} // namespace

bool isLinkStartAt(QStringView upper, int at)
{
    return tagNamed(upper, at, QLatin1String("<"), QLatin1String("A"));
}

bool isLinkEndAt(QStringView upper, int at)
{
    return tagNamed(upper, at, QLatin1String("</"), QLatin1String("A"));
}

ProtectedSpans::ProtectedSpans(const QString& upper)
{
    addBlocks(upper);
    addReferences(upper);
}

void ProtectedSpans::addBlocks(const QString& upper)
{
    for (int at = int(upper.indexOf(QLatin1Char('<'))); at >= 0; at = int(upper.indexOf(QLatin1Char('<'), at + 1))) {
        const bool comment = QStringView(upper).mid(at).startsWith(QLatin1String("<!--"));
        if (!comment && rawElementAt(upper, at).isEmpty())
            continue;
        const int end = blockEnd(upper, at);
        blocks_.push_back({at, end});
        at = end - 1;
    }
}

void ProtectedSpans::addReferences(const QString& upper)
{
    for (int at = int(upper.indexOf(QLatin1Char('&'))); at >= 0; at = int(upper.indexOf(QLatin1Char('&'), at + 1))) {
        const int end = referenceEnd(upper, at);
        if (end > at) {
            references_.push_back({at, end});
            at = end - 1;
        }
    }
}

bool ProtectedSpans::overlaps(const std::vector<Span>& spans, int at, int n, bool coveredIsFine)
{
    // The spans that end after at, from the first; they are disjoint and sorted.
    auto it = std::upper_bound(spans.begin(), spans.end(), at, [](int pos, const Span& s) { return pos < s.end; });
    for (; it != spans.end() && it->begin < at + n; ++it) {
        if (!coveredIsFine || it->begin < at || it->end > at + n)
            return true;
    }
    return false;
}

bool ProtectedSpans::forbids(int at, int n) const
{
    return overlaps(blocks_, at, n, false) || overlaps(references_, at, n, true);
}

} // namespace tools
