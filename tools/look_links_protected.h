#pragma once
// The parts of a page text where a keyword link would break the page:
// script, style, textarea and title elements and comments, whose text the
// browser does not take as markup, and character references (&lt; &#123;
// &amp;), which a link must not cut in two.

#include <QString>
#include <QStringView>
#include <vector>

namespace tools {

// An existing link is any "<A" start tag, whatever its attributes, through
// its "</A>", whatever elements stand in its text. upper: the text
// upper-cased. A link starts at "<A" followed by a blank or ">" (not
// "<ABBR>") and ends at "</A" followed by a blank or ">" (not "</ABBR>").
bool isLinkStartAt(QStringView upper, int at);
bool isLinkEndAt(QStringView upper, int at);

class ProtectedSpans {
public:
    // upper: the text upper-cased, its length unchanged.
    explicit ProtectedSpans(const QString& upper);
    // True when an occurrence at [at, at + n) may not become a link: it lies
    // in a script, style, textarea, title or comment, or cuts a character
    // reference (one it wholly covers is fine: "a&lt;b" is a word of its own).
    bool forbids(int at, int n) const;

private:
    struct Span {
        int begin;
        int end;
    };
    static bool overlaps(const std::vector<Span>& spans, int at, int n, bool coveredIsFine);
    void addBlocks(const QString& upper);
    void addReferences(const QString& upper);
    std::vector<Span> blocks_;     // sorted, disjoint
    std::vector<Span> references_; // sorted, disjoint
};

} // namespace tools
