#include "tools/look_links.h"

#include "store/paths.h"
#include "store/text.h"
#include "tools/look_links_automaton.h"
#include "tools/look_links_body.h"
#include "tools/look_links_protected.h"
#include "tools/search_title.h"

#include <algorithm>
#include <QHash>
#include <vector>

namespace tools {

namespace {

const QString kLookUpper = QStringLiteral("<A HREF=\"/$LOOK");
const QString kCloseUpper = QStringLiteral("</A>");

// Where the linked body starts: after the head, which is never linked.
int bodyStart(const QString& upperText)
{
    int end = upperText.indexOf(QLatin1String("</HEAD>"));
    if (end < 0)
        end = upperText.indexOf(QLatin1String("</TITLE>"));
    return end < 0 ? 0 : end;
}

// The words of the pages to link, in the order they are linked, each
// upper-cased word searched for once however many titles offer it.
struct LinkWords {
    std::vector<QString> written;               // as the titles spell them
    std::vector<QString> patterns;              // upper-cased, distinct
    std::vector<std::vector<std::pair<int, int>>> pages; // per page: (written, pattern)
};

// The index of value in list, appended when new.
int indexOf(QHash<QString, int>& index, std::vector<QString>& list, const QString& value)
{
    const auto found = index.constFind(value);
    if (found != index.constEnd())
        return found.value();
    index.insert(value, int(list.size()));
    list.push_back(value);
    return int(list.size()) - 1;
}

LinkWords wordsToLink(const QList<LookPage>& pages, const QString& currentPath)
{
    LinkWords words;
    QHash<QString, int> writtenIndex;
    QHash<QString, int> patternIndex;
    const QString current = text::upper(currentPath);
    for (int i = int(pages.size()) - 1; i >= 0; --i) {
        if (text::upper(pages[i].path) == current)
            continue;
        std::vector<std::pair<int, int>> page;
        for (const QString& word : lookWordsOfTitle(pages[i].title)) {
            const QString upper = text::upper(word);
            const int w = indexOf(writtenIndex, words.written, word);
            const int p = indexOf(patternIndex, words.patterns, upper);
            page.emplace_back(w, p);
        }
        if (!page.empty())
            words.pages.push_back(std::move(page));
    }
    return words;
}

// The linking rules over the body as it stands before a page's words are
// linked; the links a page makes take effect after its last word.
class Linker {
public:
    Linker(const LinkedBody& body, const ProtectedSpans& protectedSpans)
        : body_(body), protected_(protectedSpans)
    {
    }

    // Links the occurrences of the words from the left, the search going on
    // from where the word before left it.
    std::vector<BodyLink> linkPage(const std::vector<std::pair<int, int>>& words, const LinkWords& all)
    {
        std::vector<BodyLink> made;
        int p = 0; // start of the part not yet passed
        for (const auto& [written, pattern] : words) {
            const int n = int(all.patterns[size_t(pattern)].size());
            constexpr int kUnknown = -2;
            int a = kUnknown; // the first link start at or after p, -1: none
            int passEnd = -1; // where passing over that link ends, -1: no pass
            for (;;) {
                const int h = body_.nextWord(pattern, p);
                if (h < 0)
                    break;
                // An occurrence inside a link further on: pass over through
                // that link. The next link start and what it decides stay the
                // same until the search passes it, so they are looked up once.
                if (a == kUnknown || (a >= 0 && a < p)) {
                    a = body_.next(LinkedBody::AnyLink, p);
                    passEnd = a < 0 ? -1 : linkedPassEnd(a, pattern, n);
                }
                if (passEnd >= 0) {
                    p = passEnd;
                    continue;
                }
                if (insideLink(h)) {
                    p = afterLinkEnd(h + n);
                    continue;
                }
                const int at = body_.original(h);
                if (at < 0 || insideTag(h + n) || protected_.forbids(at, n)) {
                    p = h + n;
                    continue;
                }
                made.push_back({at, n, written, pattern});
                p = h + n;
            }
        }
        return made;
    }

private:
    // True when the text right after an occurrence lies inside a tag or an
    // attribute value: a '"' before the next '<', or a '>' with no '<' before it.
    bool insideTag(int after) const
    {
        const int lt = body_.next(LinkedBody::Lt, after);
        const int quote = body_.next(LinkedBody::Quote, after);
        const int gt = body_.next(LinkedBody::Gt, after);
        if (quote >= 0 && lt >= 0 && quote < lt)
            return true;
        return gt >= 0 && (lt < 0 || gt < lt);
    }

    // After the last link start before h no link end came yet: h lies in a link's start tag or text. A search that went on
    // inside a link's start tag (after an occurrence in its href) would
    // otherwise see the link text as plain text and nest a second link.
    bool insideLink(int h) const
    {
        const int start = body_.last(LinkedBody::LinkStart, h);
        return start >= 0 && body_.last(LinkedBody::Close, h) < start;
    }

    // Through the ">" after the first link end at or after from; the end without one.
    int afterLinkEnd(int from) const
    {
        const int close = body_.next(LinkedBody::Close, from);
        const int gt = close < 0 ? -1 : body_.next(LinkedBody::Gt, close);
        return gt < 0 ? body_.size() : gt + 1;
    }

    // The already-linked rule for the first link start at a: when the word
    // occurs after its "<A" and a link's end follows that occurrence with no
    // link start between, the search passes over through the ">" after that
    // end (the returned end); else -1.
    int linkedPassEnd(int a, int pattern, int n) const
    {
        const int inLink = body_.nextWord(pattern, a + 2);
        if (inLink < 0)
            return -1;
        const int close = body_.next(LinkedBody::Close, inLink + n);
        if (close < 0)
            return -1;
        const int nextOpen = body_.next(LinkedBody::Open, inLink + n);
        if (nextOpen >= 0 && nextOpen < close)
            return -1;
        const int gt = body_.next(LinkedBody::Gt, close);
        return gt < 0 ? body_.size() : gt + 1;
    }

    const LinkedBody& body_;
    const ProtectedSpans& protected_;
};

} // namespace

QString removeLookLinks(const QString& text)
{
    const QString upper = text::upper(text);
    QString out;
    int p = 0;
    for (;;) {
        const int start = upper.indexOf(kLookUpper, p);
        if (start < 0)
            break;
        const int gt = upper.indexOf(QLatin1Char('>'), start);
        if (gt < 0)
            break; // a tag left open: the rest stays as it is
        out += QStringView(text).mid(p, start - p);
        const int close = upper.indexOf(kCloseUpper, gt + 1);
        if (close < 0) {
            p = gt + 1;
            break; // the link text runs to the end
        }
        out += QStringView(text).mid(gt + 1, close - gt - 1);
        p = close + kCloseUpper.size();
    }
    if (p == 0)
        return text;
    out += QStringView(text).mid(p);
    return out;
}

QStringList lookWordsOfTitle(const QString& title)
{
    const QString kw = store::EscapeAngleBrackets(normaliseTitle(title));
    QStringList words;
    for (const QString& w : kw.split(QLatin1Char('/'))) {
        if (w.isEmpty() || w.contains(QLatin1Char('"')) || w.contains(QLatin1Char(',')))
            continue;
        words << w;
    }
    return words;
}

QString addLookLinks(const QString& text, const QList<LookPage>& pages, const QString& currentPath)
{
    const QString plain = removeLookLinks(text);
    const int start = bodyStart(text::upper(plain));
    const QString body = plain.mid(start);
    const QString upper = text::upper(body);
    const LinkWords words = wordsToLink(pages, currentPath);
    if (words.pages.empty())
        return plain;
    LinkedBody linked(upper, words.patterns, WordAutomaton(words.patterns));
    const ProtectedSpans protectedSpans(upper);
    for (const auto& page : words.pages) {
        std::vector<BodyLink> made = Linker(linked, protectedSpans).linkPage(page, words);
        if (!made.empty())
            linked.addLinks(std::move(made));
    }
    return plain.left(start) + linked.build(body, words.written);
}

} // namespace tools
