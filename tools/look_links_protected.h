#pragma once
// The parts of a page text where a keyword link would break the page:
// script, style, textarea and title elements and comments, whose text the
// browser does not take as markup, and character references (&lt; &#123;
// &amp;), which a link must not cut in two.

#include <QString>
#include <vector>

namespace tools {

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
