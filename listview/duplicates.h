// Duplicate marking: the fingerprint cells of every group of rows with equal
// column-6 texts get one text colour, drawn at random for the group.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// Click handler of 按钮_筛重.
void MarkDuplicates();

// One fingerprint cell to colour.
struct DuplicateMark {
    int row;
    uint32_t colour;  // COLORREF, 0x00BBGGRR
};

// Draws one colour channel, 0 to 255.
using ChannelDraw = std::function<int()>;

// Groups the texts (row n's text at index n) by byte-exact equality, empty
// texts included. Three channels are drawn per row in row order (red, green,
// blue); every row of a group of two or more gets the colour drawn for the
// group's last row. Rows whose text occurs once get no mark. The marks stand
// in the order in which a pairwise pass over the rows first reaches each
// cell: a group's second row, then its first, then each later row when its
// turn comes.
std::vector<DuplicateMark> PlanDuplicateMarks(const std::vector<std::string_view>& texts,
                                              const ChannelDraw& draw);
