#include "listview/colour_table.h"

CellColourRecords CellColourTable;

namespace {

uint64_t CellKey(int row, int column)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32) | static_cast<uint32_t>(column);
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
    for (size_t i = 0; i < record.slots.size(); ++i)
        record.index[CellKey(record.slots[i].row, record.slots[i].column)] = static_cast<uint32_t>(i);
}

void RemoveSlot(ListColourRecord& record, std::unordered_map<uint64_t, uint32_t>::iterator found)
{
    record.slotRemoved[found->second] = true;
    ++record.removedCount;
    record.index.erase(found);
    CompactIfSparse(record);
}

}  // namespace

void RegisterCellColour(CellColourRecords& table, const void* list, int row, int column,
                        ColourRef textColour, std::optional<ColourRef> backColour,
                        ListColours listColours)
{
    ListColourRecord& record = RecordOf(table, list);
    uint64_t key = CellKey(row, column);
    ColourRef background = backColour.value_or(listColours.textBack);
    auto found = record.index.find(key);
    if (found != record.index.end()) {
        // Removal compares the background as passed: an omitted one is 0, so
        // it removes only when the list's text background is black.
        if (textColour == listColours.text && backColour.value_or(0) == listColours.textBack) {
            RemoveSlot(record, found);
            return;
        }
        CellColourEntry& entry = record.slots[found->second];
        entry.textColour = textColour;
        entry.backColour = background;
        return;
    }
    if (textColour == listColours.text && background == listColours.textBack)
        return;
    record.index.emplace(key, static_cast<uint32_t>(record.slots.size()));
    record.slots.push_back(CellColourEntry{row, column, textColour, background});
    record.slotRemoved.push_back(false);
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
    auto found = record.index.find(CellKey(row, column));
    return found == record.index.end() ? nullptr : &record.slots[found->second];
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

size_t ListColourEntryCount(const ListColourRecord& record) { return record.index.size(); }
