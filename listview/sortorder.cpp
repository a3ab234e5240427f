#include "listview/sortorder.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "common/text.h"

namespace {

// An ascending list that reads and inserts by rank without shifting the whole
// list: the entries live in blocks of at most BlockCapacity, and a Fenwick
// tree over the blocks' counts finds the block that holds a rank. An entry
// is a key class (below) and the index of its key, kept in two arrays so that
// the probes of the binary search touch only the classes.
struct RankedList {
    static constexpr int BlockCapacity = 512;

    std::vector<int32_t> classes;     // block b holds classes[b * BlockCapacity ...]
    std::vector<int32_t> indexes;     // the same places: the key's index
    std::vector<int32_t> blockCount;  // entries in each block, by block id
    std::vector<int32_t> blockOrder;  // block ids in list order
    std::vector<int32_t> tree;        // Fenwick tree over blockOrder positions (1-based)
    int treeSize = 1;                 // a power of two
    int total = 0;

    explicit RankedList(size_t expected)
    {
        // Every split leaves two blocks at least half full, so this many
        // blocks hold all entries.
        size_t maxBlocks = expected / (BlockCapacity / 2) + 2;
        classes.resize(maxBlocks * BlockCapacity);
        indexes.resize(maxBlocks * BlockCapacity);
        blockCount.reserve(maxBlocks);
        blockOrder.reserve(maxBlocks);
        // A power of two: the descent then never looks past the tree.
        treeSize = 1;
        while (static_cast<size_t>(treeSize) < maxBlocks)
            treeSize *= 2;
        tree.assign(static_cast<size_t>(treeSize) + 1, 0);
        blockCount.push_back(0);
        blockOrder.push_back(0);
    }

    static size_t Base(int id) { return static_cast<size_t>(id) * BlockCapacity; }

    // The block position whose entries cover the 0-based rank, and the
    // rank's offset in it; rank must be below total.
    int FindBlock(int rank, int& offset) const
    {
        // Written without branches: the outcomes are as random as the keys.
        int pos = 0;
        for (int step = treeSize / 2; step > 0; step >>= 1) {
            int next = pos + step;
            int count = tree[next];
            bool behind = count <= rank;
            pos = behind ? next : pos;
            rank -= behind ? count : 0;
        }
        offset = rank;
        return pos;
    }

    int32_t First() const { return classes[Base(blockOrder.front())]; }
    int32_t Last() const { return classes[Base(blockOrder.back()) + blockCount[blockOrder.back()] - 1]; }

    void RebuildTree()
    {
        // Every node passes its sum on to its parent, the empty positions
        // behind the last block included.
        std::fill(tree.begin(), tree.end(), 0);
        for (int i = 1; i <= treeSize; ++i) {
            if (static_cast<size_t>(i) <= blockOrder.size())
                tree[i] += blockCount[blockOrder[i - 1]];
            int parent = i + (i & -i);
            if (parent <= treeSize)
                tree[parent] += tree[i];
        }
    }

    // Moves the upper half of the full block at position pos into a new
    // block directly behind it.
    void Split(int pos)
    {
        int id = blockOrder[pos];
        int newId = static_cast<int>(blockCount.size());
        int keep = BlockCapacity / 2;
        std::copy_n(&classes[Base(id) + keep], BlockCapacity - keep, &classes[Base(newId)]);
        std::copy_n(&indexes[Base(id) + keep], BlockCapacity - keep, &indexes[Base(newId)]);
        blockCount[id] = keep;
        blockCount.push_back(BlockCapacity - keep);
        blockOrder.insert(blockOrder.begin() + pos + 1, newId);
        RebuildTree();
    }

    // Inserts the entry at the block position and offset; entries from
    // there on move one place back.
    void InsertAt(int pos, int offset, int32_t keyClass, int32_t index)
    {
        if (blockCount[blockOrder[pos]] == BlockCapacity) {
            Split(pos);
            if (offset > BlockCapacity / 2) {
                offset -= BlockCapacity / 2;
                ++pos;
            }
        }
        int id = blockOrder[pos];
        int32_t* blockClasses = &classes[Base(id)];
        int32_t* blockIndexes = &indexes[Base(id)];
        int count = blockCount[id];
        std::copy_backward(blockClasses + offset, blockClasses + count, blockClasses + count + 1);
        std::copy_backward(blockIndexes + offset, blockIndexes + count, blockIndexes + count + 1);
        blockClasses[offset] = keyClass;
        blockIndexes[offset] = index;
        ++blockCount[id];
        for (int i = pos + 1; i <= treeSize; i += i & -i)
            ++tree[i];
        ++total;
    }
};

// Keys replaced by their class: the rank of their value among the distinct
// values. The tolerance tests of a key against the other values each hold
// for a run of classes at one end (the rounded difference k - v falls as v
// grows), so each test becomes one comparison of classes.
struct KeyClasses {
    std::vector<int32_t> of;           // class of each key
    std::vector<int32_t> atLeastLast;  // KeyAtLeast(k, v) for classes up to this one
    std::vector<int32_t> greaterLast;  // KeyGreater(k, v) for classes up to this one
    std::vector<int32_t> atMostFirst;  // KeyAtMost(k, v) for classes from this one on
};

KeyClasses ClassifyKeys(const std::vector<double>& keys)
{
    std::vector<std::pair<double, int32_t>> sorted(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        sorted[i] = {keys[i], static_cast<int32_t>(i)};
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    KeyClasses classes;
    classes.of.resize(keys.size());
    std::vector<double> values;  // the distinct values, ascending; 0 and -0 are one
    for (const auto& [value, index] : sorted) {
        if (values.empty() || values.back() != value)
            values.push_back(value);
        classes.of[index] = static_cast<int32_t>(values.size()) - 1;
    }

    // As k grows, each run grows too (the rounded difference rises with k),
    // so one sweep per test finds all the ends.
    int32_t d = static_cast<int32_t>(values.size());
    classes.atLeastLast.resize(d);
    classes.greaterLast.resize(d);
    classes.atMostFirst.resize(d);
    int32_t atLeastEnd = 0, greaterEnd = 0, atMostFirst = 0;
    for (int32_t c = 0; c < d; ++c) {
        double k = values[c];
        while (atLeastEnd < d && KeyAtLeast(k, values[atLeastEnd]))
            ++atLeastEnd;
        while (greaterEnd < d && KeyGreater(k, values[greaterEnd]))
            ++greaterEnd;
        while (atMostFirst < d && !KeyAtMost(k, values[atMostFirst]))
            ++atMostFirst;
        classes.atLeastLast[c] = atLeastEnd - 1;
        classes.greaterLast[c] = greaterEnd - 1;
        classes.atMostFirst[c] = atMostFirst;
    }
    return classes;
}

// Ranks of texts in unsigned byte order, equal texts sharing a rank.
std::vector<double> TextRanks(const std::vector<std::string_view>& texts)
{
    std::vector<std::pair<std::string_view, int32_t>> sorted(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        sorted[i] = {texts[i], static_cast<int32_t>(i)};
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<double> ranks(texts.size());
    double rank = 0;
    for (size_t j = 0; j < sorted.size(); ++j) {
        if (j > 0 && sorted[j].first != sorted[j - 1].first)
            ++rank;
        ranks[sorted[j].second] = rank;
    }
    return ranks;
}

}  // namespace

std::vector<double> KeyValuesOfTexts(const std::vector<std::string_view>& keyTexts, SortKeyKind kind)
{
    if (kind == SortKeyText)
        return TextRanks(keyTexts);
    std::vector<double> keys(keyTexts.size());
    for (size_t i = 0; i < keyTexts.size(); ++i)
        keys[i] = kind == SortKeyDate ? ReadDateValue(keyTexts[i]) : ReadNumber(keyTexts[i]);
    return keys;
}

std::vector<double> ReadColumnKeys(const std::vector<FileRow>& rows, int column, SortKeyKind kind)
{
    if (column == ColumnSize) {
        std::vector<double> keys(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            keys[i] = SizeKeyValue(TrimSortKey(rows[i].Cell(column)));
        return keys;
    }
    std::vector<std::string_view> texts(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        texts[i] = TrimSortKey(rows[i].Cell(column));
    return KeyValuesOfTexts(texts, kind);
}

std::vector<int32_t> BinaryInsertionOrder(const std::vector<double>& keys)
{
    KeyClasses classes = ClassifyKeys(keys);
    RankedList list(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        int32_t key = classes.of[i];
        int32_t atLeastLast = classes.atLeastLast[key];
        int32_t greaterLast = classes.greaterLast[key];
        int32_t atMostFirst = classes.atMostFirst[key];
        int m = list.total;
        int pos, offset;  // where the key goes: block position and offset in it
        if (m == 0 || list.Last() <= atLeastLast) {
            pos = static_cast<int>(list.blockOrder.size()) - 1;
            offset = list.blockCount[list.blockOrder[pos]];
        } else if (list.First() >= atMostFirst) {
            pos = 0;
            offset = 0;
        } else {
            // FindInsertPosition's halving over 1-based positions, probe for
            // probe. The block last looked up often holds the next probe too.
            int low = 1, high = m;
            int blockPos = 0, blockStart = 0, blockEnd = 0;  // ranks [blockStart, blockEnd) in blockPos
            while (low < high - 1) {
                int mid = (low + high) / 2;
                int rank = mid - 1;
                if (rank < blockStart || rank >= blockEnd) {
                    int at;
                    blockPos = list.FindBlock(rank, at);
                    blockStart = rank - at;
                    blockEnd = blockStart + list.blockCount[list.blockOrder[blockPos]];
                }
                int32_t entry = list.classes[RankedList::Base(list.blockOrder[blockPos]) + (rank - blockStart)];
                if (entry >= atMostFirst && entry <= atLeastLast) {
                    low = mid;
                    break;
                }
                if (entry <= greaterLast)
                    low = mid;
                else
                    high = mid;
            }
            // Directly behind the entry at 0-based rank low - 1.
            int rank = low - 1;
            if (rank < blockStart || rank >= blockEnd) {
                int at;
                blockPos = list.FindBlock(rank, at);
                blockStart = rank - at;
            }
            pos = blockPos;
            offset = rank - blockStart + 1;
        }
        list.InsertAt(pos, offset, key, static_cast<int32_t>(i));
    }

    std::vector<int32_t> order;
    order.reserve(keys.size());
    for (int id : list.blockOrder) {
        const int32_t* indexes = &list.indexes[RankedList::Base(id)];
        order.insert(order.end(), indexes, indexes + list.blockCount[id]);
    }
    return order;
}

std::vector<int32_t> SortedRowOrder(const std::vector<FileRow>& rows, int column, SortKeyKind kind)
{
    return BinaryInsertionOrder(ReadColumnKeys(rows, column, kind));
}

void ArrangeRows(std::vector<FileRow>& rows, const std::vector<int32_t>& order, bool ascending)
{
    // In place, one cycle of the permutation after the other: no second
    // copy of a million rows.
    size_t n = rows.size();
    std::vector<bool> placed(n);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start])
            continue;
        FileRow held = std::move(rows[start]);
        size_t u = start;
        for (;;) {
            placed[u] = true;
            size_t source = static_cast<size_t>(order[ascending ? u : n - 1 - u]);
            if (source == start) {
                rows[u] = std::move(held);
                break;
            }
            rows[u] = std::move(rows[source]);
            u = source;
        }
    }
}
