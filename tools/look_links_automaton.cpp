#include "tools/look_links_automaton.h"

#include <algorithm>
#include <numeric>

namespace tools {

namespace {

uint64_t keyOf(int node, char16_t unit)
{
    return ((uint64_t(node) << 16) | unit) + 1; // 0 marks a free slot
}

uint64_t slotOf(uint64_t key, uint64_t mask)
{
    return (key * 0x9E3779B97F4A7C15ull >> 20) & mask;
}

} // namespace

WordAutomaton::WordAutomaton(const std::vector<QString>& words)
    : nodes_(1), rootChildren_(0x10000, -1)
{
    size_t units = 0;
    for (const QString& w : words)
        units += size_t(w.size());
    uint64_t capacity = 16;
    while (capacity < 2 * units + 16)
        capacity *= 2;
    keys_.assign(capacity, 0);
    targets_.assign(capacity, -1);
    mask_ = capacity - 1;

    std::vector<std::pair<int, int>> edges; // (parent, child) in the order made
    std::vector<char16_t> edgeUnits;
    for (size_t i = 0; i < words.size(); ++i) {
        int node = 0;
        for (const QChar c : words[i]) {
            int next = child(node, c.unicode());
            if (next < 0) {
                next = int(nodes_.size());
                nodes_.push_back({});
                nodes_.back().depth = nodes_[size_t(node)].depth + 1;
                addChild(node, c.unicode(), next);
                edges.emplace_back(node, next);
                edgeUnits.push_back(c.unicode());
            }
            node = next;
        }
        nodes_[size_t(node)].word = int(i);
        lengths_.push_back(int(words[i].size()));
    }
    linkSuffixes(edges, edgeUnits);
}

int WordAutomaton::child(int node, char16_t unit) const
{
    if (node == 0)
        return rootChildren_[unit];
    const uint64_t key = keyOf(node, unit);
    for (uint64_t s = slotOf(key, mask_);; s = (s + 1) & mask_) {
        if (keys_[s] == key)
            return targets_[s];
        if (keys_[s] == 0)
            return -1;
    }
}

void WordAutomaton::addChild(int node, char16_t unit, int target)
{
    if (node == 0) {
        rootChildren_[unit] = target;
        return;
    }
    const uint64_t key = keyOf(node, unit);
    uint64_t s = slotOf(key, mask_);
    while (keys_[s] != 0)
        s = (s + 1) & mask_;
    keys_[s] = key;
    targets_[s] = target;
}

// Suffix links in breadth-first order: a node's link is known before its children's.
void WordAutomaton::linkSuffixes(const std::vector<std::pair<int, int>>& edges, const std::vector<char16_t>& units)
{
    std::vector<size_t> order(edges.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return nodes_[size_t(edges[a].second)].depth < nodes_[size_t(edges[b].second)].depth;
    });
    for (const size_t e : order) {
        const auto [parent, node] = edges[e];
        int fail = 0;
        if (parent != 0) {
            int f = nodes_[size_t(parent)].fail;
            int next = child(f, units[e]);
            while (next < 0 && f != 0) {
                f = nodes_[size_t(f)].fail;
                next = child(f, units[e]);
            }
            fail = next < 0 ? 0 : next;
        }
        Node& n = nodes_[size_t(node)];
        n.fail = fail;
        n.output = nodes_[size_t(fail)].word >= 0 ? fail : nodes_[size_t(fail)].output;
    }
}

std::vector<std::vector<int>> WordAutomaton::occurrences(QStringView text) const
{
    std::vector<std::vector<int>> found(lengths_.size());
    forEach(text, [&found](int word, int start) { found[size_t(word)].push_back(start); });
    return found;
}

void WordAutomaton::forEach(QStringView text, const std::function<void(int, int)>& found) const
{
    int state = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        int next = child(state, unit);
        while (next < 0 && state != 0) {
            state = nodes_[size_t(state)].fail;
            next = child(state, unit);
        }
        state = next < 0 ? 0 : next;
        const Node& n = nodes_[size_t(state)];
        for (int v = n.word >= 0 ? state : n.output; v >= 0; v = nodes_[size_t(v)].output) {
            const int w = nodes_[size_t(v)].word;
            found(w, int(i) + 1 - lengths_[size_t(w)]);
        }
    }
}

} // namespace tools
