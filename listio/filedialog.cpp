#include "listio/filedialog.h"

#include "common/text.h"

FileDialog 通用对话框_另存为txt = {true, "文本文件(*.txt)|*.txt", {}};
FileDialog 通用对话框_读取 = {false, "导出的文件列表(*.txt)|*.txt", {}};

std::string DialogFilterText(std::string_view barForm)
{
    std::string filter;
    filter.reserve(barForm.size() + 2);
    for (size_t pos = 0; pos < barForm.size();) {
        // A bar that is the second byte of a double-byte character stays.
        size_t length = CharLengthAt(barForm, pos);
        if (length == 1 && barForm[pos] == '|')
            filter += '\0';
        else
            filter.append(barForm.data() + pos, length);
        pos += length;
    }
    filter += '\0';
    filter += '\0';
    return filter;
}
