#include "listview/sortorder.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "common/text.h"

namespace {

// An ascending list that reads and inserts by rank without shifting the whole
// list: the entries live in blocks of at most BlockCapacity, and a Fenwick
// tree over the blocks' counts finds the block that holds a rank.
struct RankedList {
    static constexpr int BlockCapacity = 128;

    struct Entry {
        double key;
        int32_t index;
    };

    std::vector<Entry> pool;          // block b holds pool[b * BlockCapacity ...]
    std::vector<int32_t> blockCount;  // entries in each block, by block id
    std::vector<int32_t> blockOrder;  // block ids in list order
    std::vector<int32_t> tree;        // Fenwick tree over blockOrder positions (1-based)
    int treeSize = 0;
    int topStep = 1;                  // highest power of two not above treeSize
    int total = 0;

    explicit RankedList(size_t expected)
    {
        // Every split leaves two blocks at least half full, so this many
        // blocks hold all entries.
        size_t maxBlocks = expected / (BlockCapacity / 2) + 2;
        pool.resize(maxBlocks * BlockCapacity);
        blockCount.reserve(maxBlocks);
        blockOrder.reserve(maxBlocks);
        treeSize = static_cast<int>(maxBlocks);
        tree.assign(static_cast<size_t>(treeSize) + 1, 0);
        while (topStep * 2 <= treeSize)
            topStep *= 2;
        blockCount.push_back(0);
        blockOrder.push_back(0);
    }

    Entry* Block(int id) { return &pool[static_cast<size_t>(id) * BlockCapacity]; }

    // The block position whose entries cover the 0-based rank, and the
    // rank's offset in it; rank must be below total.
    int FindBlock(int rank, int& offset) const
    {
        int pos = 0;
        for (int step = topStep; step > 0; step >>= 1) {
            int next = pos + step;
            if (next <= treeSize && tree[next] <= rank) {
                pos = next;
                rank -= tree[next];
            }
        }
        offset = rank;
        return pos;
    }

    const Entry& At(int rank)
    {
        int offset;
        int pos = FindBlock(rank, offset);
        return Block(blockOrder[pos])[offset];
    }

    const Entry& First() { return Block(blockOrder.front())[0]; }
    const Entry& Last() { return Block(blockOrder.back())[blockCount[blockOrder.back()] - 1]; }

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
        std::copy(Block(id) + keep, Block(id) + BlockCapacity, Block(newId));
        blockCount[id] = keep;
        blockCount.push_back(BlockCapacity - keep);
        blockOrder.insert(blockOrder.begin() + pos + 1, newId);
        RebuildTree();
    }

    // Inserts the entry so that it gets the 0-based rank; entries from that
    // rank on move one place back.
    void InsertAt(int rank, Entry entry)
    {
        int pos, offset;
        if (rank == total) {
            pos = static_cast<int>(blockOrder.size()) - 1;
            offset = blockCount[blockOrder[pos]];
        } else {
            pos = FindBlock(rank, offset);
        }
        if (blockCount[blockOrder[pos]] == BlockCapacity) {
            Split(pos);
            if (offset > BlockCapacity / 2) {
                offset -= BlockCapacity / 2;
                ++pos;
            }
        }
        int id = blockOrder[pos];
        Entry* block = Block(id);
        std::copy_backward(block + offset, block + blockCount[id], block + blockCount[id] + 1);
        block[offset] = entry;
        ++blockCount[id];
        for (int i = pos + 1; i <= treeSize; i += i & -i)
            ++tree[i];
        ++total;
    }
};

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
    RankedList list(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        double key = keys[i];
        int m = list.total;
        int rank;  // 0-based place of the new key: FindInsertPosition's position - 1
        if (m == 0) {
            rank = 0;
        } else if (KeyAtLeast(key, list.Last().key)) {
            rank = m;
        } else if (KeyAtMost(key, list.First().key)) {
            rank = 0;
        } else {
            // The same halving over 1-based positions, probe for probe.
            int low = 1, high = m;
            while (low < high - 1) {
                int mid = (low + high) / 2;
                double entry = list.At(mid - 1).key;
                if (KeyEquals(key, entry)) {
                    low = mid;
                    break;
                }
                if (KeyGreater(key, entry))
                    low = mid;
                else
                    high = mid;
            }
            rank = low;
        }
        list.InsertAt(rank, {key, static_cast<int32_t>(i)});
    }

    std::vector<int32_t> order;
    order.reserve(keys.size());
    for (int id : list.blockOrder) {
        const RankedList::Entry* block = list.Block(id);
        for (int j = 0; j < list.blockCount[id]; ++j)
            order.push_back(block[j].index);
    }
    return order;
}

std::vector<int32_t> SortedRowOrder(const std::vector<FileRow>& rows, int column, SortKeyKind kind)
{
    return BinaryInsertionOrder(ReadColumnKeys(rows, column, kind));
}

void ArrangeRows(std::vector<FileRow>& rows, const std::vector<int32_t>& order, bool ascending)
{
    size_t n = rows.size();
    std::vector<FileRow> arranged(n);
    for (size_t u = 0; u < n; ++u)
        arranged[u] = std::move(rows[order[ascending ? u : n - 1 - u]]);
    rows.swap(arranged);
}
