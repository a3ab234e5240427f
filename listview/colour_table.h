// The table of per-cell colours behind the list views' custom drawing.
// Window-free: a list is known by an opaque identity (its window handle),
// colours are COLORREF values 0x00BBGGRR (red in the low byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

using ColourRef = uint32_t;

struct CellColourEntry {
    int32_t row;          // 0-based item index: the position, not the row's content
    int32_t column;       // 0-based sub-item index
    ColourRef textColour;
    ColourRef backColour; // behind the cell's text
};

// The list's own colours, as the list view reports them at the time of a call.
struct ListColours {
    ColourRef text;
    ColourRef textBack;
};

// (row, column) -> slot of the entry: open addressing with linear probing in
// one flat array of slot numbers (the cell itself is read from the slot), so
// that a million cells cost four bytes of index each and no allocation.
struct CellIndex {
    std::vector<uint32_t> buckets;  // slot + 1, 0 for an empty bucket; a power of two long, at most half full
    size_t count = 0;
};

// The registered cells of one list. Entries keep the order in which they
// were added. Painting looks a cell up through the index, never by walking
// the entries, so a million entries cost no more per painted cell than ten.
// A removed entry is only marked and dropped at the next compaction, so that
// removing stays cheap however long the sequence is.
struct ListColourRecord {
    const void* list = nullptr;
    std::vector<CellColourEntry> slots;        // insertion order, with holes
    std::vector<bool> slotRemoved;             // parallel to slots
    size_t removedCount = 0;
    CellIndex index;
};

// One record per list ever named, in the order of each list's first call.
// Entries are keyed by position: nothing here follows rows when the list
// is cleared, sorted or refilled.
using CellColourRecords = std::vector<ListColourRecord>;

// The program's table: empty at start-up, released at program end.
extern CellColourRecords CellColourTable;

// Registers the colours of one cell by the rules of SetCellColour:
// - a cell already registered is overwritten in place (the background, when
//   omitted, becomes the list's text background) or, when the call gives the
//   list's text colour and a background equal to the list's text background
//   (an omitted background counts as 0 here), removed;
// - a new cell is stored unless its colours are the list's own (an omitted
//   background counts as the list's text background here);
// - the list gets its record at its first call, even when nothing is stored.
void RegisterCellColour(CellColourRecords& table, const void* list, int row, int column,
                        ColourRef textColour, std::optional<ColourRef> backColour,
                        ListColours listColours);

// The record of a list, or null while it was never named.
const ListColourRecord* FindListColourRecord(const CellColourRecords& table, const void* list);

// The entry of one cell, or null.
const CellColourEntry* FindCellColour(const ListColourRecord& record, int row, int column);

// The record's entries in their order.
std::vector<CellColourEntry> ListColourEntries(const ListColourRecord& record);
size_t ListColourEntryCount(const ListColourRecord& record);
