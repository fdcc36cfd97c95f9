#pragma once
// A page body as the keyword linker sees it while it works: the text as it
// was, with the links made so far laid in. It tells where the next or last
// mark or word lies, in positions of that linked text, without building
// it: the text is searched once for every word, and the links only shift
// what was found.

#include <QString>
#include <map>
#include <vector>

namespace tools {

class WordAutomaton;

// A link laid over the text as it was: [at, at + length) becomes its text.
struct BodyLink {
    int at;
    int length;
    int word;    // index into the words as written (for the href)
    int pattern; // index into the upper-cased words
};

class LinkedBody {
public:
    enum Mark { Lt, Quote, Gt, AnyLink, Close, Open, LinkStart, MarkCount };

    // upper: the text as it was, upper-cased; patterns: the upper-cased
    // words that are asked for by index; automaton: the one over patterns.
    LinkedBody(const QString& upper, std::vector<QString> patterns, const WordAutomaton& automaton);

    int size() const;
    // The first mark or word at or after from, -1 when none.
    int next(Mark mark, int from) const;
    int nextWord(int pattern, int from) const;
    // The last mark before before, -1 when none.
    int last(Mark mark, int before) const;
    // The position in the text as it was of a position outside the links'
    // tags; -1 inside one.
    int original(int at) const;
    // Lays in links made over the text as it was; they are sorted, lie
    // apart from each other and from the links already laid in.
    void addLinks(std::vector<BodyLink> links);
    // The linked text: text as it was, the links with their words as written.
    QString build(const QString& text, const std::vector<QString>& written) const;

private:
    // The tags laid in before an original position: the end tag of the
    // link that ends there, then the start tag of the link that starts there.
    struct Tags {
        int endPattern = -1;   // the link ending here, by its word; -1 none
        int startPattern = -1; // the link starting here, by its word; -1 none
        int startWord = -1;    // its word as written
        int startLength = 0;   // the length of its text
    };
    using TagMap = std::map<int, Tags>;
    // Where a position of the linked text lies: before original position
    // original, at offset inTags into the tags there (-1: at the character).
    struct Place {
        int original;
        int inTags;
    };
    Place locate(int at) const;
    int firstOriginalAtOrAfter(int at) const { return locate(at).original; }
    int current(int original) const { return original + inserted(original); }
    int tagsStart(int original) const { return original + inserted(original - 1); }
    int inserted(int through) const; // length of the tags before positions <= through
    void addInserted(int original, int length);
    bool whole(int original, int length) const;
    bool counts(Mark mark, int original) const;
    // Calls visit(start, tag text) for the tags from the entry it on, in
    // order, until visit returns true or count entries were seen.
    template <class Visit>
    void forTags(TagMap::const_iterator it, int count, Visit visit) const;
    // fromOriginal, beforeOriginal: firstOriginalAtOrAfter(from or before).
    int nextInTags(Mark mark, int from, int fromOriginal) const;
    int lastInTags(Mark mark, int before, int beforeOriginal) const;
    int nextWordInTags(int pattern, int from, int fromOriginal, int limit) const;
    void findWordsInTags(const WordAutomaton& automaton);

    int originalSize_;
    std::vector<QString> patterns_;
    std::vector<std::vector<int>> occurrences_;
    std::vector<int> marks_[MarkCount];
    std::vector<QString> startTags_;  // per pattern: its link's start tag, upper-cased
    std::vector<bool> mayBeInTags_;   // the word can stand in some link's tags
    std::vector<bool> inEveryTag_;    // the word stands in every start or end tag
    std::vector<std::vector<int>> holders_; // per pattern: the words whose links' start tags hold it
    std::vector<std::vector<int>> linksOf_; // per pattern: where its links are, ascending
    TagMap tags_;
    std::vector<int> tree_; // tag lengths by original position + 1 (a Fenwick tree)
    int total_ = 0;
};

} // namespace tools
