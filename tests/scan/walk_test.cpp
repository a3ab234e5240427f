#include "scan/walk.h"

#include <gtest/gtest.h>

TEST(FilePatternForKeyword, PlaceholderAndEmptyListEverything)
{
    EXPECT_EQ(FilePatternForKeyword(""), "*");
    EXPECT_EQ(FilePatternForKeyword("关键字"), "*");
    EXPECT_EQ(FilePatternForKeyword("rep"), "*rep*");
    EXPECT_EQ(FilePatternForKeyword(" 关键字"), "* 关键字*");  // used as typed, no trimming
    EXPECT_EQ(FilePatternForKeyword("a?c*"), "*a?c**");
}

TEST(DateText, NoLeadingZerosAndClampedToTheCalendar)
{
    struct Case {
        int year, month, day;
        const char* text;
    } cases[] = {
        {2024, 3, 5, "2024年3月5日"},
        {1601, 1, 1, "1601年1月1日"},
        {100, 1, 1, "100年1月1日"},
        {99, 12, 31, "100年1月1日"},
        {9999, 12, 31, "9999年12月31日"},
        {10000, 1, 1, "9999年12月31日"},
        {30828, 9, 14, "9999年12月31日"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateText(c.year, c.month, c.day), c.text) << c.year;
}

TEST(RowCells, FromIndexAndFingerprint)
{
    EXPECT_EQ(RowNumberText(0), "1");
    EXPECT_EQ(RowNumberText(999999), "1000000");

    EXPECT_EQ(SizeCellText("1536,900150983CD24FB0D6963F7D28E17F72"), "1.5 KB");
    EXPECT_EQ(SizeCellText("16777217,900150983CD24FB0D6963F7D28E17F72"), "16 MB");
    EXPECT_EQ(SizeCellText("1073741800,900150983CD24FB0D6963F7D28E17F72"), "1 GB");
    EXPECT_EQ(DigestCellText("1536,900150983CD24FB0D6963F7D28E17F72"), "900150983CD24FB0D6963F7D28E17F72");

    // The read-error text has no comma: size 0, the text itself as digest.
    EXPECT_EQ(SizeCellText("读取错误"), "0 B");
    EXPECT_EQ(DigestCellText("读取错误"), "读取错误");
}

TEST(FolderWithSeparator, LooksAtTheLastCharacter)
{
    EXPECT_EQ(FolderWithSeparator("C:\\data"), "C:\\data\\");
    EXPECT_EQ(FolderWithSeparator("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(FolderWithSeparator("C:\\"), "C:\\");
    // The second byte of this double-byte character is 0x5C, but the
    // character is no separator.
    EXPECT_EQ(FolderWithSeparator("C:\\x\x81\x5C"), "C:\\x\x81\x5C\\");
    EXPECT_EQ(FolderWithSeparator("C:\\x\x81\x5C\\"), "C:\\x\x81\x5C\\");
}

TEST(IsAbsolutePath, DriveRootsAndUncOnly)
{
    EXPECT_TRUE(IsAbsolutePath("C:\\data"));
    EXPECT_TRUE(IsAbsolutePath("z:/tmp"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
    EXPECT_FALSE(IsAbsolutePath(""));
    EXPECT_FALSE(IsAbsolutePath("data\\sub"));
    EXPECT_FALSE(IsAbsolutePath("\\data"));
    EXPECT_FALSE(IsAbsolutePath("C:data"));
    EXPECT_FALSE(IsAbsolutePath("C:"));
    EXPECT_FALSE(IsAbsolutePath(".."));
}
