#include "listio/listtext.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/filelist.h"
#include "listio/filedialog.h"

using namespace std::string_literals;
using Cells = std::vector<std::string>;

namespace {

Cells TextCellsOf(const FileRow& row)
{
    Cells cells;
    for (int column = ColumnNumber; column <= ColumnDigest; ++column)
        cells.emplace_back(row.Cell(column));
    return cells;
}

std::vector<Cells> TextCellsOf(const std::vector<FileRow>& rows)
{
    std::vector<Cells> all;
    for (const FileRow& row : rows) {
        EXPECT_TRUE(row.Cell(ColumnHidden).empty());
        all.push_back(TextCellsOf(row));
    }
    return all;
}

int AppendRowWithCells(const Cells& cells)
{
    int row = AppendRow();
    for (size_t i = 0; i < cells.size(); ++i)
        SetCellText(row, static_cast<int>(i) + 1, cells[i]);
    return row;
}

class ListTextTest : public testing::Test {
protected:
    void SetUp() override { DeleteAllRows(); }
    void TearDown() override { DeleteAllRows(); }
};

}  // namespace

TEST(SplitText, PiecesByTheSplitRule)
{
    struct Case {
        std::string text;
        std::string separator;
        std::vector<std::string> pieces;
    } cases[] = {
        {"", "\t", {}},
        {"a", "\t", {"a"}},
        {"a\tb\t", "\t", {"a", "b"}},               // trailing separator: no empty last piece
        {"\ta", "\t", {"", "a"}},                    // leading separator: empty first piece
        {"a\t\tb", "\t", {"a", "", "b"}},           // adjacent separators
        {"\t", "\t", {""}},
        {"\t\t", "\t", {"", ""}},
        {"\x81\x09" "a\tb", "\t", {"\x81\x09" "a", "b"}},   // second byte 0x09 is no TAB
        {"a\t\x81", "\t", {"a", "\x81"}},           // cut-off first byte at the end
        {"\x81\t", "\t", {"\x81\t"}},
        {"中\t文", "\t", {"中", "文"}},
        {"a\r\nb\r\n", "\r\n", {"a", "b"}},
        {"a\r\nb", "\r\n", {"a", "b"}},
        {"\r\n\r\n", "\r\n", {"", ""}},
        {"a\nb\n", "\r\n", {"a\nb\n"}},            // LF alone separates nothing
        {"a\rb\r", "\r\n", {"a\rb\r"}},
        {"a\r", "\r\n", {"a\r"}},
        {"\x81\r\nb\r\nc", "\r\n", {"\x81\r\nb", "c"}},  // CR as second byte: no line end there
        {"a\x81\r\r\n", "\r\n", {"a\x81\r"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> pieces = SplitText(c.text, c.separator);
        EXPECT_EQ(std::vector<std::string>(pieces.begin(), pieces.end()), c.pieces)
            << testing::PrintToString(c.text);
    }
}

TEST(ParseListText, RowsFromFileBytes)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Cells> rows;
    } cases[] = {
        {"empty file", "", {}},
        {"one full row", "1\tA.txt\tC:\\d\\\t1.5 KB\t2024年1月2日\tABCDEF\r\n",
         {{"1", "A.txt", "C:\\d\\", "1.5 KB", "2024年1月2日", "ABCDEF"}}},
        {"last line without CR LF", "a\r\nb", {{"a", "", "", "", "", ""}, {"b", "", "", "", "", ""}}},
        {"empty line between rows", "a\r\n\r\nb\r\n",
         {{"a", "", "", "", "", ""}, {"", "", "", "", "", ""}, {"b", "", "", "", "", ""}}},
        {"eight fields", "1\t2\t3\t4\t5\t6\t7\t8\r\n", {{"1", "2", "3", "4", "5", "6"}}},
        {"three fields", "1\t2\t3\r\n", {{"1", "2", "3", "", "", ""}}},
        {"empty cells", "\t\tC:\\\t\t\tX\r\n", {{"", "", "C:\\", "", "", "X"}}},
        {"line feeds alone", "1\ta\nb\tc\n2\td\n", {{"1", "a\nb", "c\n2", "d\n", "", ""}}},
        {"zero byte ends the text", "a\tb\r\nc\0d\r\ne\r\n"s, {{"a", "b", "", "", "", ""}, {"c", "", "", "", "", ""}}},
        {"16-bit Unicode", "1\0\t\0" "2\0\r\0\n\0"s, {{"1", "", "", "", "", ""}}},
        {"second byte looks like TAB", "\x81\x09" "x\ty\r\n", {{"\x81\x09" "x", "y", "", "", "", ""}}},
        {"second byte looks like CR", "\x81\r\nx\r\ny", {{"\x81\r\nx", "", "", "", "", ""}, {"y", "", "", "", "", ""}}},
        {"lone CR", "a\rb\r", {{"a\rb\r", "", "", "", "", ""}}},
        {"cut-off double-byte character", "a\t\xB0", {{"a", "\xB0", "", "", "", ""}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextCellsOf(ParseListText(c.bytes)), c.rows) << c.name;
}

TEST(ParseListText, AnyCuttingOfTheBytesGivesTheSameRows)
{
    const std::string inputs[] = {
        "1\ta\r\n2\tb\r\n\r\n3\tc",
        "\x81\r\nx\r\n\x81\r\r\n",
        "a\r\r\n\r\r\n\n\r\n",
        "\xB0\xA1\t\xB0\r\n\xB0\xA1\xB0",
        "x\r\ny\0z\r\n"s,
    };
    for (const std::string& input : inputs) {
        std::vector<Cells> whole = TextCellsOf(ParseListText(input));
        // Every single cut, and byte by byte.
        for (size_t cut = 0; cut <= input.size(); ++cut) {
            ListTextReader reader;
            ReadListTextPiece(reader, std::string_view(input).substr(0, cut));
            ReadListTextPiece(reader, std::string_view(input).substr(cut));
            EXPECT_EQ(TextCellsOf(FinishListText(reader)), whole) << testing::PrintToString(input) << " cut " << cut;
        }
        ListTextReader reader;
        for (char c : input)
            ReadListTextPiece(reader, std::string_view(&c, 1));
        EXPECT_EQ(TextCellsOf(FinishListText(reader)), whole) << testing::PrintToString(input);
    }
}

TEST_F(ListTextTest, RowTextJoinsColumnsOneToSix)
{
    int row = AppendRowWithCells({"12", "名称.txt", "D:\\文件\\", "", "2024年3月4日", "0123456789ABCDEF0123456789ABCDEF"});
    SetCellText(row, ColumnHidden, "hidden");
    SetItemValue(row, 77);
    EXPECT_EQ(RowText(row), "12\t名称.txt\tD:\\文件\\\t\t2024年3月4日\t0123456789ABCDEF0123456789ABCDEF\r\n");
    EXPECT_EQ(RowText(-1), "\t\t\t\t\t\r\n");
    EXPECT_EQ(RowText(1), "\t\t\t\t\t\r\n");
}

TEST_F(ListTextTest, ListTextOfAllRowsAndOfChosenRows)
{
    EXPECT_EQ(ListText(), "");
    AppendRowWithCells({"1", "a"});
    AppendRowWithCells({"2", "b", "c", "d", "e", "f"});
    AppendRowWithCells({});
    EXPECT_EQ(ListText(), "1\ta\t\t\t\t\r\n2\tb\tc\td\te\tf\r\n\t\t\t\t\t\r\n");
    EXPECT_EQ(ListTextOfRows({2, 0}), "\t\t\t\t\t\r\n1\ta\t\t\t\t\r\n");
    EXPECT_EQ(ListTextOfRows({}), "");
}

TEST_F(ListTextTest, ListTextReadsBackIntoTheSameCells)
{
    // Cells of ASCII and GBK characters, anything but TAB, CR and LF, many empty.
    std::mt19937 random(12345);
    auto randomCell = [&random]() {
        std::string cell;
        int length = static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) {
            if (random() % 2) {
                cell += static_cast<char>(0x20 + random() % 0x5F);
            } else {
                cell += static_cast<char>(0x81 + random() % 0x7E);
                cell += static_cast<char>(0x40 + random() % 0xBF);
            }
        }
        return cell;
    };
    std::vector<Cells> written;
    for (int i = 0; i < 300; ++i) {
        Cells cells;
        for (int column = 0; column < 6; ++column)
            cells.push_back(randomCell());
        AppendRowWithCells(cells);
        written.push_back(cells);
    }
    EXPECT_EQ(TextCellsOf(ParseListText(ListText())), written);
}

TEST(ExportTargetPath, AppendsTxtUnlessTheNameEndsInIt)
{
    struct Case {
        const char* confirmed;
        const char* target;
    } cases[] = {
        {"C:\\lists\\all", "C:\\lists\\all.txt"},
        {"C:\\lists\\all.txt", "C:\\lists\\all.txt"},
        {"C:\\lists\\all.TXT", "C:\\lists\\all.TXT"},
        {"C:\\lists\\all.Txt", "C:\\lists\\all.Txt"},
        {"C:\\lists\\all.dat", "C:\\lists\\all.dat.txt"},
        {"C:\\lists\\alltxt", "C:\\lists\\alltxt.txt"},
        {"C:\\列表.txt", "C:\\列表.txt"},
        {"txt", "txt.txt"},
        {"C:\\a\xB0.txt", "C:\\a\xB0.txt.txt"},   // the dot is the second byte of a character
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportTargetPath(c.confirmed), c.target) << c.confirmed;
}

TEST(ParseListText, AnEnormousLineReadInSmallPiecesIsOneRow)
{
    // 16 MiB without a line end, fed 4 KiB at a time: the line is searched
    // once, not again from its start with every piece.
    std::string line(16 << 20, 'x');
    line[5] = '\t';
    std::string bytes = line + "\r\nend";
    ListTextReader reader;
    for (size_t pos = 0; pos < bytes.size(); pos += 4096)
        ReadListTextPiece(reader, std::string_view(bytes).substr(pos, 4096));
    std::vector<FileRow> rows = FinishListText(reader);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Cell(1), "xxxxx");
    EXPECT_EQ(rows[0].Cell(2), std::string_view(line).substr(6));
    EXPECT_EQ(rows[1].Cell(1), "end");
}

TEST(DialogFilterText, BarsBecomeZeroBytesAndTwoEndTheFilter)
{
    EXPECT_EQ(DialogFilterText("文本文件(*.txt)|*.txt"), "文本文件(*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(DialogFilterText("a|*.a|b|*.b"), "a\0*.a\0b\0*.b\0\0"s);
    // 0x7C as the second byte of a double-byte character is no bar.
    EXPECT_EQ(DialogFilterText("\x81|x|*.x"), "\x81|x\0*.x\0\0"s);
}
