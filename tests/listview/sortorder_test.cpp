#include "listview/sortorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/filelist.h"

namespace {

// The ordering in its plain form: for every row in turn, the key text goes
// into the key list at the position FindInsertPosition returns, and the row
// index into a parallel list at the same position.
std::vector<int32_t> ReferenceOrder(const std::vector<std::string>& keyTexts, SortKeyKind kind)
{
    std::vector<std::string> keyList;
    std::vector<int32_t> sourceRows;
    for (size_t i = 0; i < keyTexts.size(); ++i) {
        int p = FindInsertPosition(keyList, keyTexts[i], kind);
        keyList.insert(keyList.begin() + (p - 1), keyTexts[i]);
        sourceRows.insert(sourceRows.begin() + (p - 1), static_cast<int32_t>(i));
    }
    return sourceRows;
}

std::vector<int32_t> FastOrder(const std::vector<std::string>& keyTexts, SortKeyKind kind)
{
    std::vector<std::string_view> views(keyTexts.begin(), keyTexts.end());
    return BinaryInsertionOrder(KeyValuesOfTexts(views, kind));
}

std::vector<int32_t> Reversed(std::vector<int32_t> order) { return {order.rbegin(), order.rend()}; }

FileRow MakeRow(int column, const std::string& text, int itemValue)
{
    FileRow row;
    for (int c = 0; c < FileListColumnCount; ++c)
        row.SetCell(c, c == column ? text : "c" + std::to_string(c) + "-" + text);
    row.itemValue = itemValue;
    return row;
}

std::string RandomNumberText(std::mt19937& random)
{
    // Few bases and steps of 4e-8: many exact ties and chains of near-ties
    // where a ~ b and b ~ c but not a ~ c.
    static const double bases[] = {0, 1, 2, -1, 1e6, 3.5};
    double base = bases[random() % 6];
    double value = base + static_cast<int>(random() % 7) * 4e-8;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    std::string text = buffer;
    switch (random() % 6) {
    case 0: return "  " + text + " ";
    case 1: return "\xA1\xA1" + text;
    case 2: return text + "abc";
    case 3: {
        // No number, and numbers too large for a double: infinities, whose
        // differences are not numbers at all.
        static const char* odd[] = {"", "x", "1e999", "-1e999", "-0"};
        return odd[random() % 5];
    }
    default: return text;
    }
}

std::string RandomText(std::mt19937& random)
{
    static const char* pieces[] = {"a", "A", "b", "B", "中", "啊", "~", "0", ".", "\xA1\xA1", " "};
    std::string text;
    int length = static_cast<int>(random() % 4);
    for (int i = 0; i < length; ++i)
        text += pieces[random() % 11];
    return text;
}

std::string RandomDateText(std::mt19937& random)
{
    static const char* dates[] = {
        "2022年7月8日", "2022-07-08", "2022/7/8 0:0:0", "２０２２年７月８日", "2022年7月10日", "2022-7-10 12:30:45",
        "2022-07-10 12:30:46", "1899-12-29 06:00", "1899-12-29", "", "abc", "100年1月1日", "2023-2-29", "1900-1-1",
    };
    std::string text = dates[random() % 14];
    return random() % 4 == 0 ? " " + text + "\xA1\xA1" : text;
}

std::string RandomSizeText(std::mt19937& random)
{
    static const char* sizes[] = {
        "900 B", "1 KB", "1024", "1024 ", "0.9765625 KB", "1.5 MB", "1536 KB", "2 GB", "2048 mb",
        "0 B", "b", "", "1.1 GB", "2.7 KB", "123456.5 B", "123457 B", "abc", "1 kb",
    };
    std::string text = sizes[random() % 18];
    return random() % 4 == 0 ? "\xA1\xA1" + text + " " : text;
}

}  // namespace

TEST(BinaryInsertionOrder, ExamplesKeepTheirTies)
{
    struct Case {
        std::vector<std::string> keys;
        std::vector<int32_t> ascending;
    } cases[] = {
        {{"5", "3", "5", "1", "3", "1"}, {5, 3, 1, 4, 0, 2}},
        {{"1", "9", "5", "5", "5", "5"}, {0, 2, 4, 5, 3, 1}},
        {{"4", "4", "4", "4"}, {0, 1, 2, 3}},  // all equal: former order
        {{"7"}, {0}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReferenceOrder(c.keys, SortKeyNumber), c.ascending);
        EXPECT_EQ(FastOrder(c.keys, SortKeyNumber), c.ascending);
        // The same keys as texts order the same way.
        EXPECT_EQ(FastOrder(c.keys, SortKeyText), c.ascending);
    }
    std::vector<int32_t> descending = {2, 0, 4, 1, 3, 5};
    EXPECT_EQ(Reversed(FastOrder({"5", "3", "5", "1", "3", "1"}, SortKeyNumber)), descending);
}

TEST(BinaryInsertionOrder, NearTiesFollowTheProbesNotATotalOrder)
{
    // 1 ~ 1.00000008 and 1.00000008 ~ 1.00000016, but 1 < 1.00000016: where
    // a key lands depends on which entries the halving compares it with.
    std::vector<std::string> keys = {"1.00000016", "1", "5", "1.00000008", "0", "1.00000008", "1.00000016", "1"};
    std::vector<int32_t> expected = ReferenceOrder(keys, SortKeyNumber);
    EXPECT_EQ(FastOrder(keys, SortKeyNumber), expected);
}

TEST(BinaryInsertionOrder, MatchesPlainInsertionOnRandomKeyLists)
{
    std::mt19937 random(20240611);
    struct Kind {
        SortKeyKind kind;
        std::string (*make)(std::mt19937&);
    } kinds[] = {
        {SortKeyNumber, RandomNumberText},
        {SortKeyText, RandomText},
        {SortKeyDate, RandomDateText},
    };
    for (const Kind& k : kinds) {
        for (int list = 0; list < 300; ++list) {
            // Mostly short lists, some long enough to fill and split many blocks.
            size_t n = list % 50 == 0 ? 6000 : random() % 200;
            std::vector<std::string> keys(n);
            for (std::string& key : keys)
                key = std::string(TrimSortKey(k.make(random)));
            ASSERT_EQ(FastOrder(keys, k.kind), ReferenceOrder(keys, k.kind)) << "kind " << k.kind << " list " << list;
        }
    }
}

TEST(SortedRowOrder, MatchesPlainInsertionOnEveryColumn)
{
    std::mt19937 random(7);
    struct ColumnCase {
        int column;
        std::string (*make)(std::mt19937&);
    } columns[] = {
        {ColumnNumber, RandomNumberText}, {ColumnName, RandomText},   {ColumnFolder, RandomText},
        {ColumnSize, RandomSizeText},     {ColumnDate, RandomDateText}, {ColumnDigest, RandomText},
    };
    for (const ColumnCase& c : columns) {
        SortKeyKind kind;
        ASSERT_TRUE(ColumnSortKeyKind(c.column, kind));
        for (int list = 0; list < 40; ++list) {
            size_t n = list == 0 ? 2000 : random() % 300;
            std::vector<FileRow> rows;
            std::vector<std::string> keyTexts;
            for (size_t i = 0; i < n; ++i) {
                rows.push_back(MakeRow(c.column, c.make(random), 0));
                keyTexts.push_back(ColumnKeyText(rows.back().Cell(c.column), c.column));
            }
            ASSERT_EQ(SortedRowOrder(rows, c.column, kind), ReferenceOrder(keyTexts, kind))
                << "column " << c.column << " list " << list;
        }
    }
}

TEST(SortedRowOrder, SizesDatesAndTextsSortByTheirKeys)
{
    struct Case {
        int column;
        std::vector<std::string> cells;
        std::vector<int32_t> ascending;
    } cases[] = {
        {ColumnSize, {"2 GB", "1.5 MB", "900 B", "1 kb"}, {2, 3, 1, 0}},
        {ColumnSize, {"5 b", "1024 ", "b", "3"}, {2, 3, 0, 1}},
        {ColumnDate, {"2022年7月10日", "", "2022年7月8日", "100年1月1日", "xyz"}, {4, 3, 1, 2, 0}},
        {ColumnName, {"a.txt", "中文.txt", "B.txt", "Z.txt", "_x"}, {2, 3, 4, 0, 1}},
        {ColumnNumber, {"10", "9", " 100", "\xA3\xB1\xA3\xB1"}, {1, 0, 3, 2}},
    };
    for (const Case& c : cases) {
        std::vector<FileRow> rows;
        for (const std::string& cell : c.cells)
            rows.push_back(MakeRow(c.column, cell, 0));
        SortKeyKind kind;
        ASSERT_TRUE(ColumnSortKeyKind(c.column, kind));
        EXPECT_EQ(SortedRowOrder(rows, c.column, kind), c.ascending) << "column " << c.column;
    }
}

TEST(ArrangeRows, MovesWholeRowsInEitherDirection)
{
    std::vector<FileRow> rows;
    for (int i = 0; i < 4; ++i)
        rows.push_back(MakeRow(ColumnName, "r" + std::to_string(i), i == 2 ? 1 : 0));
    rows[1].SetCell(ColumnHidden, "hidden");
    for (int i = 0; i < 4; ++i)
        rows[i].id = 100 + i;
    std::vector<FileRow> original = rows;
    std::vector<int32_t> order = {2, 0, 3, 1};

    ArrangeRows(rows, order, true);
    for (int u = 0; u < 4; ++u) {
        EXPECT_EQ(rows[u].text, original[order[u]].text);
        EXPECT_EQ(rows[u].itemValue, original[order[u]].itemValue);
        EXPECT_EQ(rows[u].id, original[order[u]].id);
    }
    EXPECT_EQ(rows[3].Cell(ColumnHidden), "hidden");

    rows = original;
    ArrangeRows(rows, order, false);
    std::vector<int32_t> descending = {1, 3, 0, 2};
    for (int u = 0; u < 4; ++u)
        EXPECT_EQ(rows[u].id, original[descending[u]].id);
    EXPECT_EQ(rows[3].itemValue, 1);
}
