#include "listview/duplicates.h"

#include <functional>

namespace {

struct DuplicateGroup {
    uint32_t hash;    // of the group's text, compared before the text itself
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

size_t BucketCountFor(size_t texts)
{
    size_t count = 16;
    while (count < texts * 2)
        count *= 2;
    return count;
}

}  // namespace

std::vector<DuplicateMark> PlanDuplicateMarks(const std::vector<std::string_view>& texts,
                                              const ChannelDraw& draw)
{
    std::vector<DuplicateGroup> groups;
    groups.reserve(texts.size());
    // Text -> group: open addressing with linear probing in one flat array of
    // group numbers twice as long as there are texts, so no allocation per
    // text; texts are compared only when their hashes agree.
    std::vector<int32_t> buckets(BucketCountFor(texts.size()), -1);
    const size_t mask = buckets.size() - 1;
    const std::hash<std::string_view> hashText;
    // The colours are known only once a group's last row has been drawn, so
    // each mark remembers its group until the end.
    std::vector<DuplicateMark> marks;
    std::vector<int> markGroups;
    for (size_t i = 0; i < texts.size(); ++i) {
        int row = static_cast<int>(i);
        uint32_t colour = DrawColour(draw);
        size_t hash = hashText(texts[i]);
        size_t b = hash & mask;
        while (buckets[b] >= 0 && !(groups[buckets[b]].hash == static_cast<uint32_t>(hash) &&
                                    texts[groups[buckets[b]].firstRow] == texts[i]))
            b = (b + 1) & mask;
        if (buckets[b] < 0) {
            buckets[b] = static_cast<int32_t>(groups.size());
            groups.push_back(DuplicateGroup{static_cast<uint32_t>(hash), row, 1, colour});
            continue;
        }
        int groupIndex = buckets[b];
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
