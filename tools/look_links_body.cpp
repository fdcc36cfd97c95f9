#include "tools/look_links_body.h"

#include "tools/look_links.h"
#include "tools/look_links_automaton.h"
#include "tools/look_links_protected.h"

#include <algorithm>

namespace tools {

namespace {

const QString kEndTag = QStringLiteral("</A>");

int markLength(LinkedBody::Mark mark)
{
    switch (mark) {
    case LinkedBody::Close:
        return 3; // </A
    case LinkedBody::AnyLink:
    case LinkedBody::Open:
    case LinkedBody::LinkStart:
        return 2; // <A
    default:
        return 1;
    }
}

// The marks that are a tag's name: a link laid in right after them ("<A"
// then "<A HREF=...") leaves them no tag of that name.
bool isTagName(LinkedBody::Mark mark)
{
    return mark == LinkedBody::AnyLink || mark == LinkedBody::Open || mark == LinkedBody::LinkStart
        || mark == LinkedBody::Close;
}

// Where a mark stands in a link's start tag (wordLength: its word's) or
// in "</A>", ascending. The start tag is <A HREF="/$LOOK word">.
std::vector<int> marksInTag(LinkedBody::Mark mark, bool endTag, int wordLength)
{
    if (endTag) {
        switch (mark) {
        case LinkedBody::Lt:
        case LinkedBody::Close:
            return {0};
        case LinkedBody::Gt:
            return {3};
        default:
            return {};
        }
    }
    switch (mark) {
    case LinkedBody::Lt:
    case LinkedBody::AnyLink:
    case LinkedBody::Open:
    case LinkedBody::LinkStart:
        return {0};
    case LinkedBody::Quote:
        return {8, 16 + wordLength};
    case LinkedBody::Gt:
        return {17 + wordLength};
    default:
        return {};
    }
}

} // namespace

LinkedBody::LinkedBody(const QString& upper, std::vector<QString> patterns, const WordAutomaton& automaton)
    : originalSize_(int(upper.size())), patterns_(std::move(patterns)), occurrences_(automaton.occurrences(upper))
{
    const QStringView text(upper);
    for (int i = 0; i < originalSize_; ++i) {
        const char16_t c = text[i].unicode();
        if (c == '"')
            marks_[Quote].push_back(i);
        else if (c == '>')
            marks_[Gt].push_back(i);
        else if (c == '<') {
            marks_[Lt].push_back(i);
            if (isLinkEndAt(text, i))
                marks_[Close].push_back(i);
            if (!isLinkStartAt(text, i))
                continue;
            for (Mark start : {Open, AnyLink, LinkStart})
                marks_[start].push_back(i);
        }
    }
    findWordsInTags(automaton);
    linksOf_.resize(patterns_.size());
    tree_.assign(size_t(originalSize_) + 2, 0);
}

int LinkedBody::size() const
{
    return originalSize_ + total_;
}

int LinkedBody::inserted(int through) const
{
    int sum = 0;
    for (int i = std::min(through, originalSize_) + 1; i > 0; i -= i & -i)
        sum += tree_[size_t(i)];
    return sum;
}

void LinkedBody::addInserted(int original, int length)
{
    for (int i = original + 1; i < int(tree_.size()); i += i & -i)
        tree_[size_t(i)] += length;
    total_ += length;
}

LinkedBody::Place LinkedBody::locate(int at) const
{
    // The largest i with (i - 1) + inserted(i - 1) < at, by descent.
    const int m = int(tree_.size()) - 1;
    int step = 1;
    while (step * 2 <= m)
        step *= 2;
    int pos = 0, acc = 0;
    for (; step > 0; step /= 2) {
        const int i = pos + step;
        if (i <= m && i - 1 + acc + tree_[size_t(i)] < at) {
            pos = i;
            acc += tree_[size_t(i)];
        }
    }
    if (pos > originalSize_)
        return {pos, -1};
    if (current(pos) == at)
        return {pos, -1};
    return {pos, at - tagsStart(pos)};
}

int LinkedBody::original(int at) const
{
    const Place place = locate(at);
    return place.inTags >= 0 ? -1 : place.original;
}

// True when no tag was laid in inside [original, original + length).
bool LinkedBody::whole(int original, int length) const
{
    return length <= 1 || inserted(original + length - 1) == inserted(original);
}

bool LinkedBody::counts(Mark mark, int original) const
{
    const int length = markLength(mark);
    if (!whole(original, length))
        return false;
    // A tag laid in right after "<A" or "</A" makes it no link's tag.
    return !isTagName(mark) || inserted(original + length) == inserted(original + length - 1);
}

template <class Visit>
void LinkedBody::forTags(TagMap::const_iterator it, int count, Visit visit) const
{
    for (int k = 0; k < count && it != tags_.end(); ++k, ++it) {
        int start = tagsStart(it->first);
        if (it->second.endPattern >= 0) {
            if (visit(start, kEndTag, true))
                return;
            start += int(kEndTag.size());
        }
        if (it->second.startPattern >= 0 && visit(start, startTags_[size_t(it->second.startPattern)], false))
            return;
    }
}

int LinkedBody::nextInTags(Mark mark, int from, int fromOriginal) const
{
    // Start and end tags alternate, so the tags of three places hold every
    // kind of mark after from.
    int found = -1;
    forTags(tags_.lower_bound(fromOriginal), 3, [&](int start, const QString& tag, bool end) {
        for (const int off : marksInTag(mark, end, int(tag.size()) - 18)) {
            if (start + off >= from) {
                found = start + off;
                return true;
            }
        }
        return false;
    });
    return found;
}

int LinkedBody::lastInTags(Mark mark, int before, int beforeOriginal) const
{
    auto it = tags_.upper_bound(beforeOriginal);
    for (int k = 0; k < 3 && it != tags_.begin(); ++k) {
        --it;
        // This place's tags, the last first.
        std::vector<int> marks;
        forTags(it, 1, [&](int start, const QString& tag, bool end) {
            for (const int off : marksInTag(mark, end, int(tag.size()) - 18))
                marks.push_back(start + off);
            return false;
        });
        for (auto m = marks.rbegin(); m != marks.rend(); ++m) {
            if (*m < before)
                return *m;
        }
    }
    return -1;
}

int LinkedBody::next(Mark mark, int from) const
{
    const std::vector<int>& list = marks_[mark];
    const int fromOriginal = firstOriginalAtOrAfter(from);
    auto it = std::lower_bound(list.begin(), list.end(), fromOriginal);
    while (it != list.end() && !counts(mark, *it))
        ++it;
    const int inText = it == list.end() ? -1 : current(*it);
    if (tags_.empty())
        return inText;
    const int inTags = nextInTags(mark, from, fromOriginal);
    if (inText < 0 || inTags < 0)
        return std::max(inText, inTags);
    return std::min(inText, inTags);
}

int LinkedBody::last(Mark mark, int before) const
{
    const std::vector<int>& list = marks_[mark];
    const int beforeOriginal = firstOriginalAtOrAfter(before);
    auto it = std::lower_bound(list.begin(), list.end(), beforeOriginal);
    int inText = -1;
    while (it != list.begin()) {
        --it;
        if (counts(mark, *it)) {
            inText = current(*it);
            break;
        }
    }
    return std::max(inText, lastInTags(mark, before, beforeOriginal));
}

int LinkedBody::nextWord(int pattern, int from) const
{
    const std::vector<int>& list = occurrences_[size_t(pattern)];
    const int length = int(patterns_[size_t(pattern)].size());
    const int fromOriginal = firstOriginalAtOrAfter(from);
    auto it = std::lower_bound(list.begin(), list.end(), fromOriginal);
    while (it != list.end() && !whole(*it, length))
        ++it;
    const int inText = it == list.end() ? -1 : current(*it);
    if (!mayBeInTags_[size_t(pattern)] || tags_.empty())
        return inText;
    return nextWordInTags(pattern, from, fromOriginal, inText);
}

// Which words can stand in the links' tags, and in whose: in every start
// or end tag, or in the href words of some. No word holds '<', '>' or '"',
// so they lie inside "A HREF=", "/A" or "/$LOOK " and a word. Only words
// that occur in the text get links.
void LinkedBody::findWordsInTags(const WordAutomaton& automaton)
{
    const QString upperStart = QStringLiteral("<A HREF=\"/$LOOK ");
    QString hrefs;              // "/$LOOK word" of every word that occurs, each after a '"'
    std::vector<int> hrefStart; // where each starts in hrefs
    std::vector<int> hrefWord;
    for (size_t p = 0; p < patterns_.size(); ++p) {
        startTags_.push_back(upperStart + patterns_[p] + QLatin1String("\">"));
        inEveryTag_.push_back(upperStart.contains(patterns_[p]) || kEndTag.contains(patterns_[p]));
        if (!occurrences_[p].empty()) {
            hrefStart.push_back(int(hrefs.size()));
            hrefWord.push_back(int(p));
            hrefs += QStringLiteral("\"/$LOOK ") + patterns_[p];
        }
    }
    holders_.resize(patterns_.size());
    automaton.forEach(hrefs, [&](int word, int start) {
        if (inEveryTag_[size_t(word)])
            return;
        const size_t k = size_t(std::upper_bound(hrefStart.begin(), hrefStart.end(), start) - hrefStart.begin()) - 1;
        std::vector<int>& holders = holders_[size_t(word)];
        if (holders.empty() || holders.back() != hrefWord[k])
            holders.push_back(hrefWord[k]);
    });
    for (size_t p = 0; p < patterns_.size(); ++p)
        mayBeInTags_.push_back(inEveryTag_[p] || !holders_[p].empty());
}

// The first occurrence of the word at or after from in the links' tags
// before limit (-1: no limit); limit when there is none.
int LinkedBody::nextWordInTags(int pattern, int from, int fromOriginal, int limit) const
{
    const QString& word = patterns_[size_t(pattern)];
    int best = limit;
    // True when the search may stop: found, or past what was found.
    const auto consider = [&](int tagStart, const QString& tag, bool) {
        if (best >= 0 && tagStart >= best)
            return true;
        const int at = int(tag.indexOf(word, std::max(0, from - tagStart)));
        if (at < 0)
            return false;
        best = tagStart + at;
        return true;
    };
    if (inEveryTag_[size_t(pattern)]) {
        forTags(tags_.lower_bound(fromOriginal), 3, consider);
        return best;
    }
    for (const int holder : holders_[size_t(pattern)]) {
        const std::vector<int>& links = linksOf_[size_t(holder)];
        const QString& tag = startTags_[size_t(holder)];
        // The first link whose start tag ends after from, then the next.
        auto it = std::partition_point(links.begin(), links.end(), [&](int at) { return current(at) <= from; });
        for (int k = 0; k < 2 && it != links.end(); ++k, ++it) {
            if (consider(current(*it) - int(tag.size()), tag, false))
                break;
        }
    }
    return best;
}

void LinkedBody::addLinks(std::vector<BodyLink> links)
{
    for (const BodyLink& link : links) {
        Tags& start = tags_[link.at];
        start.startPattern = link.pattern;
        start.startWord = link.word;
        start.startLength = link.length;
        tags_[link.at + link.length].endPattern = link.pattern;
        addInserted(link.at, int(startTags_[size_t(link.pattern)].size()));
        addInserted(link.at + link.length, int(kEndTag.size()));
        std::vector<int>& at = linksOf_[size_t(link.pattern)];
        at.insert(std::upper_bound(at.begin(), at.end(), link.at), link.at);
    }
}

QString LinkedBody::build(const QString& text, const std::vector<QString>& written) const
{
    QString out;
    out.reserve(size());
    int done = 0;
    for (const auto& [at, tags] : tags_) {
        if (tags.startPattern < 0)
            continue;
        out += QStringView(text).mid(done, at - done);
        out += kLookLinkStart;
        out += written[size_t(tags.startWord)];
        out += QLatin1String("\">");
        out += QStringView(text).mid(at, tags.startLength);
        out += kEndTag;
        done = at + tags.startLength;
    }
    out += QStringView(text).mid(done);
    return out;
}

} // namespace tools
