#include "listview/colour_table.h"

CellColourRecords CellColourTable;

namespace {

constexpr uint32_t NotFound = UINT32_MAX;

size_t HomeBucket(int row, int column, size_t mask)
{
    // Neighbouring cells get neighbouring buckets, so that colouring or
    // painting rows in order walks the array instead of jumping around it;
    // the folded high bits keep far-apart rows from piling up.
    uint64_t cell = static_cast<uint64_t>(static_cast<uint32_t>(row)) * 8 + static_cast<uint32_t>(column);
    return static_cast<size_t>(cell ^ (cell >> 24) ^ (cell >> 48)) & mask;
}

bool SlotHolds(const ListColourRecord& record, uint32_t slot, int row, int column)
{
    const CellColourEntry& entry = record.slots[slot];
    return entry.row == row && entry.column == column;
}

// The bucket that holds the cell, or the empty bucket where it would go.
size_t BucketOf(const ListColourRecord& record, int row, int column)
{
    const std::vector<uint32_t>& buckets = record.index.buckets;
    size_t mask = buckets.size() - 1;
    size_t i = HomeBucket(row, column, mask);
    while (buckets[i] != 0 && !SlotHolds(record, buckets[i] - 1, row, column))
        i = (i + 1) & mask;
    return i;
}

uint32_t FindSlot(const ListColourRecord& record, int row, int column)
{
    if (record.index.count == 0)
        return NotFound;
    uint32_t bucket = record.index.buckets[BucketOf(record, row, column)];
    return bucket == 0 ? NotFound : bucket - 1;
}

// Puts every live slot into a fresh array of the given size.
void RebuildIndex(ListColourRecord& record, size_t bucketCount)
{
    record.index.buckets.assign(bucketCount, 0);
    record.index.count = 0;
    for (size_t i = 0; i < record.slots.size(); ++i)
        if (!record.slotRemoved[i]) {
            record.index.buckets[BucketOf(record, record.slots[i].row, record.slots[i].column)] =
                static_cast<uint32_t>(i + 1);
            ++record.index.count;
        }
}

// Appends an entry and indexes it, first doubling the index when it would
// become more than half full.
void AppendEntry(ListColourRecord& record, const CellColourEntry& entry)
{
    if ((record.index.count + 1) * 2 > record.index.buckets.size())
        RebuildIndex(record, record.index.buckets.empty() ? 16 : record.index.buckets.size() * 2);
    record.slots.push_back(entry);
    record.slotRemoved.push_back(false);
    record.index.buckets[BucketOf(record, entry.row, entry.column)] = static_cast<uint32_t>(record.slots.size());
    ++record.index.count;
}

// Empties the cell's bucket and moves later buckets of the same probe run
// back, so that every cell stays reachable from its home bucket.
void EraseFromIndex(ListColourRecord& record, int row, int column)
{
    std::vector<uint32_t>& buckets = record.index.buckets;
    size_t mask = buckets.size() - 1;
    size_t hole = BucketOf(record, row, column);
    if (buckets[hole] == 0)
        return;
    --record.index.count;
    for (size_t next = (hole + 1) & mask; buckets[next] != 0; next = (next + 1) & mask) {
        const CellColourEntry& moved = record.slots[buckets[next] - 1];
        size_t home = HomeBucket(moved.row, moved.column, mask);
        // The bucket may move into the hole unless its home lies cyclically
        // after the hole, up to where it stands.
        bool homeAfterHole = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
        if (!homeAfterHole) {
            buckets[hole] = buckets[next];
            hole = next;
        }
    }
    buckets[hole] = 0;
}

ListColourRecord& RecordOf(CellColourRecords& table, const void* list)
{
    for (ListColourRecord& record : table)
        if (record.list == list)
            return record;
    table.emplace_back();
    table.back().list = list;
    return table.back();
}

// Drops the holes once they outnumber the live entries, so that the slots
// never hold more than twice the entries and compaction costs O(1) per removal.
void CompactIfSparse(ListColourRecord& record)
{
    if (record.removedCount * 2 <= record.slots.size())
        return;
    std::vector<CellColourEntry> live;
    live.reserve(record.slots.size() - record.removedCount);
    for (size_t i = 0; i < record.slots.size(); ++i)
        if (!record.slotRemoved[i])
            live.push_back(record.slots[i]);
    record.slots.swap(live);
    record.slotRemoved.assign(record.slots.size(), false);
    record.removedCount = 0;
    RebuildIndex(record, record.index.buckets.size());
}

void RemoveEntry(ListColourRecord& record, int row, int column, uint32_t slot)
{
    EraseFromIndex(record, row, column);
    record.slotRemoved[slot] = true;
    ++record.removedCount;
    CompactIfSparse(record);
}

}  // namespace

void RegisterCellColour(CellColourRecords& table, const void* list, int row, int column,
                        ColourRef textColour, std::optional<ColourRef> backColour,
                        ListColours listColours)
{
    ListColourRecord& record = RecordOf(table, list);
    ColourRef background = backColour.value_or(listColours.textBack);
    uint32_t slot = FindSlot(record, row, column);
    if (slot != NotFound) {
        // Removal compares the background as passed: an omitted one is 0, so
        // it removes only when the list's text background is black.
        if (textColour == listColours.text && backColour.value_or(0) == listColours.textBack) {
            RemoveEntry(record, row, column, slot);
            return;
        }
        CellColourEntry& entry = record.slots[slot];
        entry.textColour = textColour;
        entry.backColour = background;
        return;
    }
    if (textColour == listColours.text && background == listColours.textBack)
        return;
    AppendEntry(record, CellColourEntry{row, column, textColour, background});
}

const ListColourRecord* FindListColourRecord(const CellColourRecords& table, const void* list)
{
    for (const ListColourRecord& record : table)
        if (record.list == list)
            return &record;
    return nullptr;
}

const CellColourEntry* FindCellColour(const ListColourRecord& record, int row, int column)
{
    uint32_t slot = FindSlot(record, row, column);
    return slot == NotFound ? nullptr : &record.slots[slot];
}

std::vector<CellColourEntry> ListColourEntries(const ListColourRecord& record)
{
    std::vector<CellColourEntry> entries;
    entries.reserve(record.slots.size() - record.removedCount);
    for (size_t i = 0; i < record.slots.size(); ++i)
        if (!record.slotRemoved[i])
            entries.push_back(record.slots[i]);
    return entries;
}

size_t ListColourEntryCount(const ListColourRecord& record) { return record.index.count; }
