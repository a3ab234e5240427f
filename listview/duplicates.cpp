#include "listview/duplicates.h"

#include <unordered_map>

namespace {

struct DuplicateGroup {
    int firstRow;
    int size;
    uint32_t colour;  // drawn for the group's latest row so far
};

uint32_t DrawColour(const ChannelDraw& draw)
{
    uint32_t red = static_cast<uint32_t>(draw()) & 0xFF;
    uint32_t green = static_cast<uint32_t>(draw()) & 0xFF;
    uint32_t blue = static_cast<uint32_t>(draw()) & 0xFF;
    return red | (green << 8) | (blue << 16);
}

}  // namespace

std::vector<DuplicateMark> PlanDuplicateMarks(const std::vector<std::string_view>& texts,
                                              const ChannelDraw& draw)
{
    std::vector<DuplicateGroup> groups;
    std::unordered_map<std::string_view, int> groupOfText;
    groupOfText.reserve(texts.size());
    // The colours are known only once a group's last row has been drawn, so
    // each mark remembers its group until the end.
    std::vector<DuplicateMark> marks;
    std::vector<int> markGroups;
    for (size_t i = 0; i < texts.size(); ++i) {
        int row = static_cast<int>(i);
        uint32_t colour = DrawColour(draw);
        auto [found, inserted] = groupOfText.try_emplace(texts[i], static_cast<int>(groups.size()));
        if (inserted) {
            groups.push_back(DuplicateGroup{row, 1, colour});
            continue;
        }
        int groupIndex = found->second;
        DuplicateGroup& group = groups[groupIndex];
        group.colour = colour;
        marks.push_back(DuplicateMark{row, 0});
        markGroups.push_back(groupIndex);
        if (group.size == 1) {
            marks.push_back(DuplicateMark{group.firstRow, 0});
            markGroups.push_back(groupIndex);
        }
        ++group.size;
    }
    for (size_t m = 0; m < marks.size(); ++m)
        marks[m].colour = groups[markGroups[m]].colour;
    return marks;
}
