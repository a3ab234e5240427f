#include "listview/sortkey.h"

#include <gtest/gtest.h>

#include "app/filelist.h"
#include "common/text.h"

TEST(ColumnSortKeyKind, EveryColumnHasItsKind)
{
    struct Case {
        int column;
        bool sorted;
        SortKeyKind kind;
    } cases[] = {
        {-1, false, SortKeyNumber}, {0, false, SortKeyNumber}, {1, true, SortKeyNumber},
        {2, true, SortKeyText},     {3, true, SortKeyText},    {4, true, SortKeyNumber},
        {5, true, SortKeyDate},     {6, true, SortKeyText},    {7, false, SortKeyNumber},
    };
    for (const Case& c : cases) {
        SortKeyKind kind = SortKeyNumber;
        EXPECT_EQ(ColumnSortKeyKind(c.column, kind), c.sorted) << c.column;
        if (c.sorted) {
            EXPECT_EQ(kind, c.kind) << c.column;
        }
    }
}

TEST(TrimSortKey, RemovesBlanksAndIdeographicSpacesAtBothEnds)
{
    struct Case {
        const char* text;
        const char* trimmed;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"  a b  ", "a b"},
        {"\xA1\xA1 a\xA1\xA1 \xA1\xA1", "a"},
        {"\ta\r\n", "\ta\r\n"},                  // tabs and line breaks stay
        {" \xA1\xA1\t ", "\t"},
        {"\xB0\xA1\xA1", "\xB0\xA1\xA1"},        // B0A1 then a lone A1: no ideographic space
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},        // B0A1 then a real A1A1
        {"\xA1\xA1\xA1", "\xA1"},                // a lone lead byte at the end stays
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(TrimSortKey(c.text)), c.trimmed) << c.text;
}

TEST(SizeKeyText, UnitsBecomeFactorsOfTheSinglePrecisionNumber)
{
    // Expected texts computed with Python: struct-packed float, then the factor
    // in double precision, '%.13g'; Decimal ROUND_HALF_UP for the B cases.
    struct Case {
        const char* text;
        const char* key;
    } cases[] = {
        {"900 B", "900"},
        {"0 B", "0"},
        {"1 KB", "1024"},
        {"1.5 MB", "1572864"},
        {"2 GB", "2147483648"},
        {"1.5 mb", "1572864"},                // letter case does not matter
        {"2 gB", "2147483648"},
        {"1.1 GB", "1181116032"},             // 1.1 in single precision times 2^30
        {"2.7 KB", "2764.800048828"},         // single precision shows through %.13g
        {"0.3 MB", "314572.8125"},
        {"1024", "1024"},                     // no unit: the text itself
        {"xyz", "xyz"},
        {"abc", "0"},                         // its b is a unit
        {"b", "0"},                           // a b without number
        {"xyz B", "0"},
        {"1 KB 2 GB", "1073741824"},          // GB is looked for first, the number is the leading one
        {"3 Bytes MB", "3145728"},
        {"123.4567 B", "123.457"},            // six significant digits
        {"99999.95 B", "100000"},
        {"123456.5 B", "123457"},             // an exact half rounds up
        {"1234565 B", "1.23457e+06"},
        {"0.1234565 B", "0.123457"},
        {"\xA3\xB2 KB", "2048"},              // full-width digit
        {"5\x81\x42", "5\x81\x42"},           // 0x42 as trail byte is no B
        {"5\x81\x42 b", "5"},
        {"1e39 GB", "inf"},                   // beyond single precision
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizeKeyText(c.text), c.key) << c.text;
}

TEST(SizeKeyValue, ReadsAsItsKeyText)
{
    const char* texts[] = {"900 B", "1.5 MB", "2.7 KB", "0.3 MB", "1.1 GB", "123.4567 B", "1234565 B",
                           "1024", "abc", "-3 KB", "7777777 GB", "1e39 GB", "0.000001234567 B", "1e30 B"};
    for (const char* text : texts)
        EXPECT_EQ(SizeKeyValue(text), ReadNumber(SizeKeyText(text))) << text;
}

TEST(ColumnKeyText, TrimsEveryColumnAndTurnsSizesIntoKeys)
{
    EXPECT_EQ(ColumnKeyText("\xA1\xA1 1.5 MB ", ColumnSize), "1572864");
    EXPECT_EQ(ColumnKeyText(" 1.5 MB ", ColumnName), "1.5 MB");
    EXPECT_EQ(ColumnKeyText(" 12 ", ColumnNumber), "12");
}

TEST(ReadDateValue, ReadsEverySeparatorAndChineseUnits)
{
    // OLE Automation dates computed with Python's datetime:
    // (date - date(1899, 12, 30)).days plus the time as a fraction of a day.
    const double jul8 = 44750, jul10 = 44752;
    const double time123045 = (12 * 3600 + 30 * 60 + 45) / 86400.0;
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"2022年7月8日", jul8},
        {"2022年7月10日", jul10},
        {"2022-07-08", jul8},
        {"2022.7.8", jul8},
        {"2022/7/8", jul8},
        {"2022:7:8", jul8},
        {"2022-07-08 12:30:45", jul8 + time123045},
        {"2022/07/08-12.30/45", jul8 + time123045},
        {"2022年7月8日12时30分45秒", jul8 + time123045},
        {"2022年7月8日12时30分45秒后", jul8 + time123045},  // anything after 秒
        {"2022年7月8日12时", jul8 + 0.5},
        {"２０２２－０７－０８", jul8},                      // full-width digits and minus
        {"２０２２年７月８日", jul8},
        {"20220708", jul8},                                  // fields without separators
        {"1900-1-1", 2},
        {"100-1-1", -657434},
        {"9999-12-31 23:59:59", 2958465 + 86399 / 86400.0},
        {"2000-2-29", 36585},
        {"2024-2-29", 45351},
        {"1899-12-29 06:00", -1.25},                         // before the epoch the time counts down
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ReadDateValue(c.text), c.value) << c.text;
}

TEST(ReadDateValue, AnythingButAValidDateIsTheFirstOfJanuary100)
{
    const char* texts[] = {
        "",
        "abc",
        "99-1-1",              // year below 100
        "2022-13-1",
        "2022-0-1",
        "2022-4-31",
        "1900-2-29",           // divisible by 100, not by 400
        "2023-2-29",
        "2022-1-1 24:00",
        "2022-1-1 23:60",
        "2022-1-1 23:59:60",
        "2022-1-1x",
        "2022年7月8日 12:30",  // one separator only: the blank is left over
        "2022--7-8",
        " 2022-7-8",           // leading blanks are trimmed before, never here
        "2022-7-8 12:30:45 ",
        "10000-1-1",
    };
    for (const char* text : texts)
        EXPECT_EQ(ReadDateValue(text), InvalidDateValue) << text;
    EXPECT_EQ(InvalidDateValue, -657434.0);
}

TEST(FindInsertPosition, ComparesEachKindByItsRule)
{
    std::vector<std::string> numbers = {"1", "2", "3"};
    EXPECT_EQ(FindInsertPosition({}, "7", SortKeyNumber), 1);
    EXPECT_EQ(FindInsertPosition(numbers, "3.00000005", SortKeyNumber), 4);  // equal to the last: behind it
    EXPECT_EQ(FindInsertPosition(numbers, "0.99999995", SortKeyNumber), 1);  // equal to the first: before all
    EXPECT_EQ(FindInsertPosition(numbers, "1.5", SortKeyNumber), 2);
    EXPECT_EQ(FindInsertPosition(numbers, "2.5", SortKeyNumber), 3);
    EXPECT_EQ(FindInsertPosition(numbers, "abc", SortKeyNumber), 1);          // reads as 0

    // Text: unsigned bytes, capitals before small letters, double-byte after ASCII.
    std::vector<std::string> texts = {"B.txt", "a.txt", "z", "中"};
    EXPECT_EQ(FindInsertPosition(texts, "C", SortKeyText), 2);
    EXPECT_EQ(FindInsertPosition(texts, "b", SortKeyText), 3);
    EXPECT_EQ(FindInsertPosition(texts, "~", SortKeyText), 4);
    EXPECT_EQ(FindInsertPosition(texts, "啊", SortKeyText), 4);
    EXPECT_EQ(FindInsertPosition(texts, "中", SortKeyText), 5);
    EXPECT_EQ(FindInsertPosition(texts, "A", SortKeyText), 1);

    // Dates by value, not by text; unreadable dates with 1 January 100.
    std::vector<std::string> dates = {"100年1月1日", "2022年7月8日", "2022年7月10日"};
    EXPECT_EQ(FindInsertPosition(dates, "2022年7月9日", SortKeyDate), 3);
    EXPECT_EQ(FindInsertPosition(dates, "", SortKeyDate), 1);
    EXPECT_EQ(FindInsertPosition(dates, "2022-07-10", SortKeyDate), 4);
}
