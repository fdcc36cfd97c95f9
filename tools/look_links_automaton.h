#pragma once
// Finds every occurrence of many words in a text in one pass over it
// (Aho-Corasick over UTF-16 units), overlapping occurrences included.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

namespace tools {

class WordAutomaton {
public:
    // words: none empty; a word is named by its index.
    explicit WordAutomaton(const std::vector<QString>& words);
    // For each word, where its occurrences in text start, ascending.
    std::vector<std::vector<int>> occurrences(QStringView text) const;
    // Calls found(word, start) for every occurrence in text, by their ends.
    void forEach(QStringView text, const std::function<void(int, int)>& found) const;
    int size() const { return int(lengths_.size()); }

private:
    struct Node {
        int fail = 0;    // the longest proper suffix that is a node
        int word = -1;   // the word ending here
        int output = -1; // the next node on the suffix chain that ends a word
        int depth = 0;
    };
    int child(int node, char16_t unit) const;
    void addChild(int node, char16_t unit, int target);
    void linkSuffixes(const std::vector<std::pair<int, int>>& edges, const std::vector<char16_t>& units);

    std::vector<Node> nodes_;
    std::vector<int> rootChildren_; // one entry per unit: the root's child, -1 none
    // The other children in an open-addressed table keyed by (node, unit).
    std::vector<uint64_t> keys_;
    std::vector<int> targets_;
    uint64_t mask_ = 0;
    std::vector<int> lengths_;
};

} // namespace tools
