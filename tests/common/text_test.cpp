#include "common/text.h"

#include <gtest/gtest.h>

TEST(ReadNumber, ReadsLikeAtofAfterFullWidthForms)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"  12.5xyz", 12.5},
        {"-3e2 B", -300},
        {"1e", 1},
        {"+.5", 0.5},
        {".", 0},
        {"0x10", 0},            // atof reads hexadecimal, the program's rule does not
        {"inf", 0},
        {"１２３", 123},          // full-width digits
        {"\xA1\xA1\xA3\xAD\xA3\xB7", -7},  // ideographic space, full-width "-7"
        {"\xA3\xB1\xA3\xAE\xA3\xB5", 1.5},
        {"1.5 MB", 1.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.expected) << c.text;
}

TEST(NormalizeFullWidth, ReplacesOnlyTheListedForms)
{
    EXPECT_EQ(NormalizeFullWidth("\xA3\xC1\xA1\xAB\xA1\xEE\xA1\xEF\xA1\xA1"), "A~** ");
    // Other double-byte characters stay whole, also when their second byte is in A1..FE.
    EXPECT_EQ(NormalizeFullWidth("\xD6\xD0\xA3"), "\xD6\xD0\xA3");
    // The second byte of a character is never taken as the start of a form.
    EXPECT_EQ(NormalizeFullWidth("\xB0\xA3\xB1"), "\xB0\xA3\xB1");
}

TEST(TextSplitHelpers, BeforeFirstAndAfterLast)
{
    struct Case {
        const char* text;
        const char* before;
        const char* after;
    } cases[] = {
        {"123,ABC", "123", "ABC"},
        {"读取错误", "", "读取错误"},
        {",ABC", "", "ABC"},
        {"1,2,3", "1", "3"},
        {"12,", "12", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextBeforeFirst(c.text, ","), c.before) << c.text;
        EXPECT_EQ(TextAfterLast(c.text, ","), c.after) << c.text;
    }
    EXPECT_EQ(TextAfterLast("a::b:::c", "::"), ":c");
}

TEST(ElapsedSecondsText, FormatsMillisecondsAsSeconds)
{
    EXPECT_EQ(ElapsedSecondsText(1000, 2234), "1.234");
    EXPECT_EQ(ElapsedSecondsText(5, 5), "0");
    EXPECT_EQ(ElapsedSecondsText(0, 60000), "60");
    EXPECT_EQ(ElapsedSecondsText(0xFFFFFF00u, 0x00000064u), "0.356");  // tick count wrapped
}

TEST(EndsWithBackslashChar, LooksAtTheLastCharacterNotTheLastByte)
{
    EXPECT_TRUE(EndsWithBackslashChar("C:\\data\\"));
    EXPECT_FALSE(EndsWithBackslashChar("C:\\data"));
    EXPECT_FALSE(EndsWithBackslashChar(""));
    // 表 is B1 ED, 兢 is BE BA; 乗-like characters whose second byte is 0x5C:
    // "\x95\x5C" is one character, not a trailing separator.
    EXPECT_FALSE(EndsWithBackslashChar("C:\\\x95\x5C"));
    EXPECT_TRUE(EndsWithBackslashChar("C:\\\x95\x5C\\"));
}
