#pragma once
// The keyword linker as it was first written: one search of the page per
// word, the page rebuilt after each title. Slow, but plainly right; the
// tests and the fuzz target hold the linker in use to give the same bytes.

#include "store/text.h"
#include "tools/look_links.h"
#include "tools/look_links_protected.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

namespace lookreference {


// The first link start ("<A" and a blank or ">") or link end ("</A" and a
// blank or ">") at or after from; -1 when none.
inline int nextLinkTag(const QString& upper, int from, bool end)
{
    const QLatin1String tag = end ? QLatin1String("</A") : QLatin1String("<A");
    for (int at = int(upper.indexOf(tag, from)); at >= 0; at = int(upper.indexOf(tag, at + 1)))
        if (end ? tools::isLinkEndAt(upper, at) : tools::isLinkStartAt(upper, at))
            return at;
    return -1;
}

// Where the linked body starts: after the head, which is never linked.
inline int bodyStart(const QString& upperText)
{
    int end = upperText.indexOf(QLatin1String("</HEAD>"));
    if (end < 0)
        end = upperText.indexOf(QLatin1String("</TITLE>"));
    return end < 0 ? 0 : end;
}

// The next '<', '"' and '>' of a text from positions that never go back:
// each is looked up again only when the search has passed it.
class NextMarks {
public:
    explicit NextMarks(const QString& text) : text_(text) {}
    int lt(int from) { return find(lt_, QLatin1Char('<'), from); }
    int quote(int from) { return find(quote_, QLatin1Char('"'), from); }
    int gt(int from) { return find(gt_, QLatin1Char('>'), from); }

private:
    int find(int& cached, QChar c, int from)
    {
        if (cached == -2 || (cached >= 0 && cached < from))
            cached = int(text_.indexOf(c, from));
        return cached;
    }
    const QString& text_;
    int lt_ = -2, quote_ = -2, gt_ = -2;
};

// True when the text right after an occurrence lies inside a tag or an
// attribute value: a '"' before the next '<', or a '>' with no '<' before it.
inline bool insideTag(NextMarks& marks, int after)
{
    const int lt = marks.lt(after);
    const int quote = marks.quote(after);
    const int gt = marks.gt(after);
    if (quote >= 0 && lt >= 0 && quote < lt)
        return true;
    return gt >= 0 && (lt < 0 || gt < lt);
}

// Where the links of a text start and end, to tell whether a position lies inside one: its start tag or its
// text. A search that went on inside a link's start tag (after an
// occurrence in its href) would otherwise see the link text as plain text
// and nest a second link. Built at the first occurrence that needs it.
class LinkSpans {
public:
    explicit LinkSpans(const QString& upper)
    {
        for (int a = nextLinkTag(upper, 0, false); a >= 0; a = nextLinkTag(upper, a + 1, false))
            starts_.push_back(a);
        for (int c = nextLinkTag(upper, 0, true); c >= 0; c = nextLinkTag(upper, c + 1, true))
            closes_.push_back(c);
    }
    // After the last link start before h no "</A" came yet.
    bool contains(int h) const
    {
        const auto s = std::lower_bound(starts_.begin(), starts_.end(), h);
        if (s == starts_.begin())
            return false;
        const auto c = std::lower_bound(closes_.begin(), closes_.end(), *(s - 1));
        return c == closes_.end() || *c >= h;
    }

private:
    std::vector<int> starts_;
    std::vector<int> closes_;
};

// Through the ">" after the first link end at or after from; the end without one.
inline int afterLinkEnd(const QString& upper, int from)
{
    const int close = nextLinkTag(upper, from, true);
    const int gt = close < 0 ? -1 : upper.indexOf(QLatin1Char('>'), close);
    return gt < 0 ? upper.size() : gt + 1;
}

// The already-linked rule for the first link start at a: when w occurs after
// its "<A" and a link end follows that occurrence with no link start between,
// the search passes over through the ">" after that end (the returned end);
// else -1.
inline int linkedPassEnd(const QString& upper, int a, const QString& w)
{
    const int inLink = int(upper.indexOf(w, a + 2));
    if (inLink < 0)
        return -1;
    const int n = int(w.size());
    const int close = nextLinkTag(upper, inLink + n, true);
    if (close < 0)
        return -1;
    const int nextOpen = nextLinkTag(upper, inLink + n, false);
    if (nextOpen >= 0 && nextOpen < close)
        return -1;
    const int gt = int(upper.indexOf(QLatin1Char('>'), close));
    return gt < 0 ? int(upper.size()) : gt + 1;
}

// Links every occurrence of the words in body (upper its upper-cased copy)
// from the left, as one pass over the body for the words of one page.
// Returns the new body; upper is stale afterwards when it changed.
inline QString linkWords(const QString& body, const QString& upper, const QStringList& words, bool guard)
{
    std::optional<tools::ProtectedSpans> protectedSpans; // built at the first occurrence that needs it
    QString out;
    int p = 0; // start of the part not yet passed
    std::optional<LinkSpans> spans;
    NextMarks marks(body); // positions only grow within one call
    for (const QString& word : words) {
        const QString w = text::upper(word);
        const int n = w.size();
        constexpr int kUnknown = -2;
        int a = kUnknown;  // the first link start at or after p, -1: none
        int passEnd = -1;  // where passing over that link ends, -1: no pass
        for (;;) {
            const int h = upper.indexOf(w, p);
            if (h < 0)
                break;
            // An occurrence inside a link further on: pass over through that
            // link. The next link start and what it decides stay the same
            // until the search passes it, so they are looked up once.
            if (a == kUnknown || (a >= 0 && a < p)) {
                a = nextLinkTag(upper, p, false);
                passEnd = a < 0 ? -1 : linkedPassEnd(upper, a, w);
            }
            if (passEnd >= 0) {
                out += QStringView(body).mid(p, passEnd - p);
                p = passEnd;
                continue;
            }
            if (!spans)
                spans.emplace(upper);
            if (spans->contains(h)) {
                const int end = afterLinkEnd(upper, h + n);
                out += QStringView(body).mid(p, end - p);
                p = end;
                continue;
            }
            if (!protectedSpans)
                protectedSpans.emplace(upper);
            if (insideTag(marks, h + n) || (guard && protectedSpans->forbids(h, n))) {
                out += QStringView(body).mid(p, h + n - p);
                p = h + n;
                continue;
            }
            out += QStringView(body).mid(p, h - p);
            out += tools::kLookLinkStart;
            out += word;
            out += QLatin1String("\">");
            out += QStringView(body).mid(h, n);
            out += QLatin1String("</A>");
            p = h + n;
        }
    }
    if (out.isEmpty())
        return body; // nothing passed over: the body as it stands
    out += QStringView(body).mid(p);
    return out;
}

// guard: leave scripts, styles, comments and character references alone,
// as the linker does now; without it, the linker as it first was.
inline QString addLookLinks(const QString& text, const QList<tools::LookPage>& pages, const QString& currentPath,
                            bool guard = true)
{
    const QString plain = tools::removeLookLinks(text);
    const int start = bodyStart(text::upper(plain));
    const QString head = plain.left(start);
    QString body = plain.mid(start);
    QString upper = text::upper(body);
    const QString current = text::upper(currentPath);
    for (int i = pages.size() - 1; i >= 0; --i) {
        if (text::upper(pages[i].path) == current)
            continue;
        const QStringList words = tools::lookWordsOfTitle(pages[i].title);
        if (words.isEmpty())
            continue;
        QString linked = linkWords(body, upper, words, guard);
        if (linked.size() != body.size()) {
            body = std::move(linked);
            upper = text::upper(body);
        }
    }
    return head + body;
}

} // namespace lookreference
