#include "scan/walk.h"

#include <cstdio>

#include "common/text.h"
#include "scan/sizetext.h"

std::string FilePatternForKeyword(const std::string& keyword)
{
    if (keyword.empty() || keyword == "关键字")
        return "*";
    return "*" + keyword + "*";
}

std::string DateText(int year, int month, int day)
{
    long long key = (static_cast<long long>(year) * 100 + month) * 100 + day;
    if (key < 1000101) {
        year = 100;
        month = 1;
        day = 1;
    } else if (key > 99991231) {
        year = 9999;
        month = 12;
        day = 31;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日", year, month, day);
    return text;
}

std::string RowNumberText(int rowIndex) { return FormatReal(static_cast<double>(rowIndex) + 1); }

std::string SizeCellText(const std::string& fingerprint)
{
    // The size is held in single precision, so sizes above 16 MiB are
    // formatted from the nearest float (16777217 shows as 16 MB).
    float size = static_cast<float>(ReadNumber(TextBeforeFirst(fingerprint, ",")));
    return FormatFileSize(size);
}

std::string DigestCellText(const std::string& fingerprint) { return TextAfterLast(fingerprint, ","); }

std::string FolderWithSeparator(const std::string& folder)
{
    return EndsWithBackslashChar(folder) ? folder : folder + "\\";
}

bool IsAbsolutePath(const std::string& path)
{
    auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]))
        return true;
    char drive = path.empty() ? '\0' : path[0];
    bool driveLetter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return path.size() >= 3 && driveLetter && path[1] == ':' && isSeparator(path[2]);
}
