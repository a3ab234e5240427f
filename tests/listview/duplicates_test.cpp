#include "listview/duplicates.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>

// Found by argument-dependent lookup, so outside the anonymous namespace.
bool operator==(const DuplicateMark& a, const DuplicateMark& b) { return a.row == b.row && a.colour == b.colour; }

std::ostream& operator<<(std::ostream& out, const DuplicateMark& m)
{
    return out << "{" << m.row << ",0x" << std::hex << m.colour << std::dec << "}";
}

namespace {

// Draws 0, 1, 2, ... so that row j's colour is RGB(3j, 3j + 1, 3j + 2).
ChannelDraw CountingDraw()
{
    auto next = std::make_shared<int>(0);
    return [next] { return (*next)++ % 256; };
}

uint32_t ColourOfRow(int j)
{
    uint32_t red = 3 * j, green = 3 * j + 1, blue = 3 * j + 2;
    return red | green << 8 | blue << 16;
}

std::vector<std::string_view> Views(const std::vector<std::string>& texts)
{
    return std::vector<std::string_view>(texts.begin(), texts.end());
}


TEST(PlanDuplicateMarks, GroupsTakeTheColourOfTheirLastRow)
{
    struct Case {
        const char* what;
        std::vector<std::string> texts;
        std::vector<DuplicateMark> expected;
    };
    const Case cases[] = {
        {"three equal in rows 2, 5, 9",
         {"a", "b", "X", "c", "d", "X", "e", "f", "g", "X"},
         {{5, ColourOfRow(9)}, {2, ColourOfRow(9)}, {9, ColourOfRow(9)}}},
        {"two separate pairs 0 & 3 and 1 & 4",
         {"P", "Q", "r", "P", "Q"},
         {{3, ColourOfRow(3)}, {0, ColourOfRow(3)}, {4, ColourOfRow(4)}, {1, ColourOfRow(4)}}},
        {"all different", {"a", "b", "c"}, {}},
        {"empty texts form a group, like the read failure text",
         {"", "读取错误", "x", "", "读取错误"},
         {{3, ColourOfRow(3)}, {0, ColourOfRow(3)}, {4, ColourOfRow(4)}, {1, ColourOfRow(4)}}},
        {"byte-exact: case and length count",
         {"abc", "ABC", "abc ", "文件", "abc"},
         {{4, ColourOfRow(4)}, {0, ColourOfRow(4)}}},
        {"no rows", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlanDuplicateMarks(Views(c.texts), CountingDraw()), c.expected);
    }
}

// The pairwise pass the marks stand for: for each row j, for each earlier
// equal row k, colour j then k with row j's colour. The cells' final colours
// and the order in which cells are first coloured must come out the same.
TEST(PlanDuplicateMarks, AgreesWithThePairwisePass)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        int rows = 1 + static_cast<int>(random() % 300);
        int distinct = 1 + static_cast<int>(random() % 100);
        std::vector<std::string> texts;
        for (int row = 0; row < rows; ++row)
            texts.push_back(std::string(random() % 3, 'h') + std::to_string(random() % distinct));

        std::mt19937 channels(static_cast<uint32_t>(round));
        std::map<int, uint32_t> finalColour;
        std::vector<int> firstColoured;
        auto colour = [&](int row, uint32_t c) {
            if (!finalColour.count(row))
                firstColoured.push_back(row);
            finalColour[row] = c;
        };
        for (int j = 0; j < rows; ++j) {
            uint32_t red = channels() % 256, green = channels() % 256, blue = channels() % 256;
            uint32_t rowColour = red | green << 8 | blue << 16;
            for (int k = 0; k < j; ++k)
                if (texts[k] == texts[j]) {
                    colour(j, rowColour);
                    colour(k, rowColour);
                }
        }
        std::vector<DuplicateMark> expected;
        for (int row : firstColoured)
            expected.push_back({row, finalColour[row]});

        std::mt19937 planChannels(static_cast<uint32_t>(round));
        std::vector<DuplicateMark> marks =
            PlanDuplicateMarks(Views(texts), [&] { return static_cast<int>(planChannels() % 256); });
        ASSERT_EQ(marks, expected) << "round " << round;
    }
}

}  // namespace
