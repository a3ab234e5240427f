#include "listview/colour_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <tuple>

// Found by argument-dependent lookup, so outside the anonymous namespace.
bool operator==(const CellColourEntry& a, const CellColourEntry& b)
{
    return std::tie(a.row, a.column, a.textColour, a.backColour) ==
           std::tie(b.row, b.column, b.textColour, b.backColour);
}

std::ostream& operator<<(std::ostream& out, const CellColourEntry& e)
{
    return out << "{" << e.row << "," << e.column << ",0x" << std::hex << e.textColour << ",0x"
               << e.backColour << std::dec << "}";
}

namespace {

constexpr ColourRef Red = 0x0000FF;
constexpr ColourRef Green = 0x00FF00;
constexpr ColourRef Blue = 0xFF0000;
constexpr ColourRef Grey = 0x808080;
constexpr ColourRef White = 0xFFFFFF;
constexpr ColourRef Black = 0x000000;

// A list with black text on white behind its text, the list views' default.
constexpr ListColours DefaultList{Black, White};

int listA;  // stand-ins for two list views' identities
int listB;


std::vector<CellColourEntry> EntriesOf(const CellColourRecords& table, const void* list)
{
    const ListColourRecord* record = FindListColourRecord(table, list);
    return record ? ListColourEntries(*record) : std::vector<CellColourEntry>{};
}

TEST(CellColourTable, OverwriteKeepsThePlaceAndRemovalClosesTheGap)
{
    CellColourRecords table;
    RegisterCellColour(table, &listA, 1, 6, Red, std::nullopt, DefaultList);
    RegisterCellColour(table, &listA, 2, 6, Green, Grey, DefaultList);
    RegisterCellColour(table, &listA, 3, 6, Blue, std::nullopt, DefaultList);
    RegisterCellColour(table, &listA, 1, 6, Blue, Grey, DefaultList);
    EXPECT_EQ(EntriesOf(table, &listA), (std::vector<CellColourEntry>{
                                            {1, 6, Blue, Grey}, {2, 6, Green, Grey}, {3, 6, Blue, White}}));

    // The list's own colours with the background given remove the entry.
    RegisterCellColour(table, &listA, 2, 6, Black, White, DefaultList);
    EXPECT_EQ(EntriesOf(table, &listA),
              (std::vector<CellColourEntry>{{1, 6, Blue, Grey}, {3, 6, Blue, White}}));
    EXPECT_EQ(FindCellColour(*FindListColourRecord(table, &listA), 2, 6), nullptr);

    // Coloured again, the cell comes last.
    RegisterCellColour(table, &listA, 2, 6, Red, std::nullopt, DefaultList);
    EXPECT_EQ(EntriesOf(table, &listA), (std::vector<CellColourEntry>{
                                            {1, 6, Blue, Grey}, {3, 6, Blue, White}, {2, 6, Red, White}}));
    const CellColourEntry* found = FindCellColour(*FindListColourRecord(table, &listA), 3, 6);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, (CellColourEntry{3, 6, Blue, White}));
}

// A call with the list's own text colour, for a cell with and without an
// entry. An omitted background is the list's text background when storing,
// but 0 when deciding whether an existing entry goes.
TEST(CellColourTable, CallsWithTheListsOwnColours)
{
    struct Case {
        const char* what;
        ListColours list;
        bool hadEntry;
        std::optional<ColourRef> back;
        std::vector<CellColourEntry> expected;
    };
    const ListColours blackBehindText{Red, Black};
    const Case cases[] = {
        {"new cell, background omitted", DefaultList, false, std::nullopt, {}},
        {"new cell, background given as the list's", DefaultList, false, White, {}},
        {"new cell, other background", DefaultList, false, Grey, {{4, 2, Black, Grey}}},
        {"entry, background given as the list's", DefaultList, true, White, {}},
        {"entry, background omitted", DefaultList, true, std::nullopt, {{4, 2, Black, White}}},
        {"entry, background omitted, black text background", blackBehindText, true, std::nullopt, {}},
        {"new cell, background omitted, black text background", blackBehindText, false, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CellColourRecords table;
        if (c.hadEntry)
            RegisterCellColour(table, &listA, 4, 2, Green, Blue, c.list);
        RegisterCellColour(table, &listA, 4, 2, c.list.text, c.back, c.list);
        // Registered in any case, also when nothing is stored.
        ASSERT_NE(FindListColourRecord(table, &listA), nullptr);
        EXPECT_EQ(EntriesOf(table, &listA), c.expected);
    }
}

TEST(CellColourTable, OneRecordPerListInOrderOfFirstCallAndOneEntryPerCell)
{
    CellColourRecords table;
    RegisterCellColour(table, &listB, 0, 0, Black, std::nullopt, DefaultList);  // stores nothing
    RegisterCellColour(table, &listA, 1, 2, Red, std::nullopt, DefaultList);
    RegisterCellColour(table, &listA, 2, 1, Green, std::nullopt, DefaultList);
    RegisterCellColour(table, &listA, -1, 0, Blue, std::nullopt, DefaultList);  // positions are not checked
    RegisterCellColour(table, &listA, 0, -1, Grey, std::nullopt, DefaultList);
    RegisterCellColour(table, &listB, 1, 2, Blue, std::nullopt, DefaultList);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].list, &listB);
    EXPECT_EQ(table[1].list, &listA);
    EXPECT_EQ(EntriesOf(table, &listA),
              (std::vector<CellColourEntry>{
                  {1, 2, Red, White}, {2, 1, Green, White}, {-1, 0, Blue, White}, {0, -1, Grey, White}}));
    EXPECT_EQ(EntriesOf(table, &listB), (std::vector<CellColourEntry>{{1, 2, Blue, White}}));
    EXPECT_EQ(FindListColourRecord(table, &table), nullptr);
}

// Many removals: the order of what is left and every lookup survive the
// clean-ups of removed entries.
TEST(CellColourTable, ManyRemovalsKeepOrderAndLookups)
{
    CellColourRecords table;
    const int cells = 1000;
    for (int row = 0; row < cells; ++row)
        RegisterCellColour(table, &listA, row, 6, static_cast<ColourRef>(row + 1), std::nullopt, DefaultList);
    for (int row = 0; row < cells; ++row)
        if (row % 4 != 3)
            RegisterCellColour(table, &listA, row, 6, Black, White, DefaultList);
    // Overwrite a survivor after the clean-ups: it keeps its place.
    RegisterCellColour(table, &listA, 3, 6, Red, Grey, DefaultList);
    std::vector<CellColourEntry> expected;
    for (int row = 3; row < cells; row += 4)
        expected.push_back(row == 3 ? CellColourEntry{3, 6, Red, Grey}
                                    : CellColourEntry{row, 6, static_cast<ColourRef>(row + 1), White});
    EXPECT_EQ(EntriesOf(table, &listA), expected);
    const ListColourRecord& record = *FindListColourRecord(table, &listA);
    for (int row = 0; row < cells; ++row) {
        const CellColourEntry* entry = FindCellColour(record, row, 6);
        if (row % 4 == 3) {
            ASSERT_NE(entry, nullptr) << row;
            EXPECT_EQ(entry->row, row);
        } else {
            EXPECT_EQ(entry, nullptr) << row;
        }
    }
}

}  // namespace

namespace {

// The rules applied literally to a plain sequence searched from the front.
void RegisterInSequence(std::vector<CellColourEntry>& entries, int row, int column, ColourRef text,
                        std::optional<ColourRef> back, ListColours list)
{
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const CellColourEntry& e) { return e.row == row && e.column == column; });
    if (found != entries.end()) {
        if (text == list.text && (back ? *back : 0) == list.textBack) {
            entries.erase(found);
        } else {
            found->textColour = text;
            found->backColour = back ? *back : list.textBack;
            return;
        }
    }
    ColourRef background = back ? *back : list.textBack;
    if (!(text == list.text && background == list.textBack))
        entries.push_back({row, column, text, background});
}

// Random registrations and removals over a small set of cells, many of them
// colliding in the index, against the literal sequence.
TEST(CellColourTable, AgreesWithAPlainSequenceUnderRandomCalls)
{
    std::mt19937 random(2024);
    CellColourRecords table;
    std::vector<CellColourEntry> expected;
    for (int call = 0; call < 20000; ++call) {
        int row = static_cast<int>(random() % 200) - 20;
        int column = static_cast<int>(random() % 4) - 1;
        // Half the calls give the list's own colours, so entries come and go.
        bool own = random() % 2 == 0;
        ColourRef text = own ? Black : static_cast<ColourRef>(random() % 4);
        std::optional<ColourRef> back;
        if (random() % 2)
            back = own ? White : static_cast<ColourRef>(random() % 3);
        RegisterCellColour(table, &listA, row, column, text, back, DefaultList);
        RegisterInSequence(expected, row, column, text, back, DefaultList);
        if (call % 1000 == 999) {
            ASSERT_EQ(EntriesOf(table, &listA), expected) << "after call " << call;
            const ListColourRecord& record = *FindListColourRecord(table, &listA);
            for (int r = -20; r < 180; ++r)
                for (int c = -1; c < 3; ++c) {
                    auto e = std::find_if(expected.begin(), expected.end(),
                                          [&](const CellColourEntry& x) { return x.row == r && x.column == c; });
                    const CellColourEntry* found = FindCellColour(record, r, c);
                    ASSERT_EQ(found != nullptr, e != expected.end()) << r << "," << c;
                    if (found) {
                        ASSERT_EQ(*found, *e);
                    }
                }
        }
    }
}

}  // namespace
