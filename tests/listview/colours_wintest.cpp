// Cell colours on real list views, read back from the custom-draw
// notifications the list views send while they paint.
#include "listview/colours.h"

#include <gtest/gtest.h>

#include "listview/colour_table.h"
#include "listview/drawn_colours.h"

namespace {

constexpr COLORREF Navy = RGB(0, 0, 128);
constexpr COLORREF GreyGreen = RGB(128, 160, 128);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

class CellColours : public testing::Test {
protected:
    void SetUp() override
    {
        ResetCellColours();
        window = drawn::CreateRecordingWindow();
        ASSERT_NE(window, nullptr);
        list = drawn::CreateList(window, 0, 0, 12);
        // Navy text, so that black for cells without entry is told apart.
        ListView_SetTextColor(list, Navy);
        ListView_SetTextBkColor(list, GreyGreen);
    }
    void TearDown() override
    {
        for (HWND w : windows)
            DestroyWindow(w);
        DestroyWindow(window);
        ResetCellColours();
        drawn::Pump();
    }

    // Paints the list and gives the colours of one of its sub-items.
    std::optional<drawn::SubItemColours> Painted(int row, int column)
    {
        drawn::Repaint(list);
        return drawn::DrawnColours(list, row, column);
    }

    size_t EntriesOfList()
    {
        const ListColourRecord* record = FindListColourRecord(CellColourTable, list);
        return record ? ListColourEntries(*record).size() : 0;
    }

    HWND window = nullptr;
    HWND list = nullptr;
    std::vector<HWND> windows;
};

TEST_F(CellColours, EntriesAreDrawnAndCellsWithoutEntryAreBlackOnTheTextBackground)
{
    SetCellColour(window, list, 1, 2, Red);
    EXPECT_EQ(Painted(1, 2), (drawn::SubItemColours{Red, GreyGreen}));
    EXPECT_EQ(Painted(0, 2), (drawn::SubItemColours{Black, GreyGreen}));
    EXPECT_EQ(Painted(1, 6), (drawn::SubItemColours{Black, GreyGreen}));

    // Overwritten: one entry, the second call's colours.
    SetCellColour(window, list, 1, 2, Green, Yellow);
    EXPECT_EQ(EntriesOfList(), 1u);
    EXPECT_EQ(Painted(1, 2), (drawn::SubItemColours{Green, Yellow}));
}

// Calls with the list's own colours. The black text of a cell without entry
// tells "no entry" apart from "an entry with the list's colours" (navy).
TEST_F(CellColours, CallsWithTheListsOwnColours)
{
    struct Case {
        const char* what;
        COLORREF textBack;  // the list's
        bool hadEntry;
        std::optional<COLORREF> back;
        drawn::SubItemColours expected;
    };
    const Case cases[] = {
        {"no entry, background omitted: nothing stored", GreyGreen, false, std::nullopt, {Black, GreyGreen}},
        {"no entry, background given: nothing stored", GreyGreen, false, GreyGreen, {Black, GreyGreen}},
        {"entry, background given: removed", GreyGreen, true, GreyGreen, {Black, GreyGreen}},
        {"entry, background omitted: kept with the list's colours", GreyGreen, true, std::nullopt, {Navy, GreyGreen}},
        {"entry, background omitted, black text background: removed", Black, true, std::nullopt, {Black, Black}},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListView_SetTextBkColor(list, c.textBack);
        if (c.hadEntry)
            SetCellColour(window, list, row, 3, Red, Yellow);
        SetCellColour(window, list, row, 3, Navy, c.back);
        EXPECT_EQ(Painted(row, 3), c.expected);
        ++row;
    }
}

TEST_F(CellColours, OnlyRegisteredListsOfTheFirstWindowAreCustomDrawn)
{
    HWND otherList = drawn::CreateList(window, 0, 330, 5);
    HWND otherWindow = drawn::CreateRecordingWindow();
    windows.push_back(otherWindow);
    HWND listOfOtherWindow = drawn::CreateList(otherWindow, 0, 0, 5);

    SetCellColour(window, list, 0, 1, Red);
    SetCellColour(otherWindow, listOfOtherWindow, 0, 1, Green);
    EXPECT_TRUE(SubclassInstalled);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&CellColourWindowProc));
    EXPECT_EQ(PreviousWindowProc, &drawn::RecordingWindowProc);
    // The later call registers its cell but installs nothing on its window.
    EXPECT_EQ(GetWindowLongPtrA(otherWindow, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&drawn::RecordingWindowProc));
    ASSERT_NE(FindListColourRecord(CellColourTable, listOfOtherWindow), nullptr);

    // The registered list's prepaint stages are answered before the window's
    // own procedure; its sub-items reach it coloured.
    drawn::Repaint(list);
    EXPECT_FALSE(drawn::SawStage(list, CDDS_PREPAINT));
    EXPECT_FALSE(drawn::SawStage(list, CDDS_ITEMPREPAINT));
    EXPECT_EQ(drawn::DrawnColours(list, 0, 1), (drawn::SubItemColours{Red, GreyGreen}));

    // A list never named is left to the window's own procedure.
    drawn::Repaint(otherList);
    EXPECT_TRUE(drawn::SawStage(otherList, CDDS_PREPAINT));
    EXPECT_FALSE(drawn::SawStage(otherList, CDDS_ITEMPREPAINT | CDDS_SUBITEM));

    drawn::Repaint(listOfOtherWindow);
    EXPECT_TRUE(drawn::SawStage(listOfOtherWindow, CDDS_PREPAINT));
    EXPECT_FALSE(drawn::SawStage(listOfOtherWindow, CDDS_ITEMPREPAINT | CDDS_SUBITEM));
}

TEST_F(CellColours, CloseRestoresThePreviousProcedure)
{
    SetCellColour(window, list, 0, 1, Red);
    drawn::closeMessages = 0;
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(drawn::closeMessages, 1);  // handed on
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&drawn::RecordingWindowProc));
    EXPECT_TRUE(SubclassInstalled);

    drawn::Repaint(list);
    EXPECT_TRUE(drawn::SawStage(list, CDDS_PREPAINT));
    EXPECT_FALSE(drawn::SawStage(list, CDDS_ITEMPREPAINT | CDDS_SUBITEM));

    // Never installed again in this run.
    SetCellColour(window, list, 0, 2, Green);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&drawn::RecordingWindowProc));
}

}  // namespace
