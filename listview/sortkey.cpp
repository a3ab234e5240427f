#include "listview/sortkey.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "app/filelist.h"
#include "common/text.h"

namespace {

bool IsIdeographicSpaceAt(std::string_view text, size_t pos)
{
    return pos + 1 < text.size() && static_cast<unsigned char>(text[pos]) == 0xA1 &&
           static_cast<unsigned char>(text[pos + 1]) == 0xA1;
}

// True when unit occurs in text, ignoring ASCII letter case, starting at a
// character boundary (so the trail byte of a double-byte character is never
// taken for a B).
bool ContainsUnit(std::string_view text, std::string_view unit)
{
    for (size_t i = 0; i + unit.size() <= text.size(); i += CharLengthAt(text, i))
        if (EqualsIgnoreAsciiCase(text.substr(i, unit.size()), unit))
            return true;
    return false;
}

// Double to single precision, with values beyond the single range becoming
// infinite as the hardware conversion makes them (the C++ cast leaves that open).
double ToSingle(double value)
{
    constexpr double singleOverflow = 3.4028235677973366e38;  // FLT_MAX + half a unit in the last place
    if (value >= singleOverflow)
        return HUGE_VAL;
    if (value <= -singleOverflow)
        return -HUGE_VAL;
    return static_cast<float>(value);
}

// printf of a real with the given format; infinities are written "inf" on
// every C library.
std::string FormatKeyReal(const char* format, double value)
{
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

double PowerOfTen(int exponent)
{
    // Exact for exponents up to 22; the table keeps it exact everywhere.
    static const double exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (exponent >= 0 && exponent <= 22)
        return exact[exponent];
    return std::pow(10.0, exponent);
}

// The value rounded half up (away from zero) to six significant digits.
double RoundToSixDigits(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    double magnitude = std::fabs(value);
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    if (PowerOfTen(exponent) > magnitude)
        --exponent;
    else if (PowerOfTen(exponent + 1) <= magnitude)
        ++exponent;
    int shift = 5 - exponent;
    // Dividing by an exact power of ten keeps an exact half exact.
    double scaled = shift >= 0 ? magnitude * PowerOfTen(shift) : magnitude / PowerOfTen(-shift);
    double digits = std::floor(scaled + 0.5);
    double rounded = shift >= 0 ? digits / PowerOfTen(shift) : digits * PowerOfTen(-shift);
    return std::copysign(rounded, value);
}

enum class SizeUnit { None, Giga, Mega, Kilo, Byte };

struct SizeReading {
    SizeUnit unit = SizeUnit::None;
    double value = 0;  // the leading number times the unit's factor, not yet written as text
};

SizeReading ReadSize(std::string_view trimmed)
{
    static const struct {
        const char* name;
        SizeUnit unit;
        double factor;
    } units[] = {
        {"GB", SizeUnit::Giga, 1073741824.0},
        {"MB", SizeUnit::Mega, 1048576.0},
        {"KB", SizeUnit::Kilo, 1024.0},
        {"B", SizeUnit::Byte, 1.0},
    };
    for (const auto& u : units) {
        if (!ContainsUnit(trimmed, u.name))
            continue;
        // The size texts carry a single-precision number; the product is double.
        double leading = ToSingle(ReadNumber(trimmed));
        if (u.unit == SizeUnit::Byte)
            return {u.unit, RoundToSixDigits(leading)};
        return {u.unit, leading * u.factor};
    }
    return {};
}

bool IsIntegerBelow(double value, double limit) { return std::fabs(value) < limit && std::floor(value) == value; }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Days from 1 January 1970 to the given day of the proleptic Gregorian calendar.
long DaysFromCivil(long year, long month, long day)
{
    year -= month <= 2;
    long era = (year >= 0 ? year : year - 399) / 400;
    long yearOfEra = year - era * 400;
    long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

bool ColumnSortKeyKind(int column, SortKeyKind& kind)
{
    switch (column) {
    case ColumnNumber:
    case ColumnSize:
        kind = SortKeyNumber;
        return true;
    case ColumnName:
    case ColumnFolder:
    case ColumnDigest:
        kind = SortKeyText;
        return true;
    case ColumnDate:
        kind = SortKeyDate;
        return true;
    default:
        return false;
    }
}

std::string_view TrimSortKey(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size()) {
        if (text[begin] == ' ')
            ++begin;
        else if (IsIdeographicSpaceAt(text, begin))
            begin += 2;
        else
            break;
    }
    // Walk forward by characters, so that an A1 A1 at the end is only taken
    // for an ideographic space when it is a whole character.
    size_t end = begin;
    for (size_t i = begin; i < text.size();) {
        size_t length = CharLengthAt(text, i);
        bool blank = text[i] == ' ' || (length == 2 && IsIdeographicSpaceAt(text, i));
        i += length;
        if (!blank)
            end = i;
    }
    return text.substr(begin, end - begin);
}

std::string SizeKeyText(std::string_view trimmed)
{
    SizeReading size = ReadSize(trimmed);
    switch (size.unit) {
    case SizeUnit::None:
        return std::string(trimmed);
    case SizeUnit::Byte:
        return FormatKeyReal("%.6g", size.value);
    default:
        return FormatKeyReal("%.13g", size.value);
    }
}

double SizeKeyValue(std::string_view trimmed)
{
    SizeReading size = ReadSize(trimmed);
    switch (size.unit) {
    case SizeUnit::None:
        return ReadNumber(trimmed);
    case SizeUnit::Byte:
        // Whole numbers of up to six digits are written out exactly and
        // read back unchanged; anything else goes through its text.
        if (IsIntegerBelow(size.value, 1e6))
            return size.value;
        return ReadNumber(FormatKeyReal("%.6g", size.value));
    default:
        if (IsIntegerBelow(size.value, 1e13))
            return size.value;
        return ReadNumber(FormatKeyReal("%.13g", size.value));
    }
}

std::string ColumnKeyText(std::string_view cell, int column)
{
    std::string_view trimmed = TrimSortKey(cell);
    if (column == ColumnSize)
        return SizeKeyText(trimmed);
    return std::string(trimmed);
}

double ReadDateValue(std::string_view text)
{
    std::string s = NormalizeFullWidth(text);
    size_t pos = 0;
    auto field = [&](int maxDigits) {
        int value = 0;
        for (int n = 0; n < maxDigits && pos < s.size() && IsAsciiDigit(s[pos]); ++n, ++pos)
            value = value * 10 + (s[pos] - '0');
        return value;
    };
    auto separator = [&](bool blankToo, const char* word) {
        if (pos >= s.size())
            return;
        char c = s[pos];
        if (c == '-' || c == '.' || c == '/' || c == ':' || (blankToo && c == ' '))
            ++pos;
        else if (s.compare(pos, 2, word) == 0)
            pos += 2;
    };
    int year = field(4);
    separator(false, "年");
    int month = field(2);
    separator(false, "月");
    int day = field(2);
    separator(true, "日");
    int hour = field(2);
    separator(false, "时");
    int minute = field(2);
    separator(false, "分");
    int second = field(2);
    if (pos < s.size() && s.compare(pos, 2, "秒") != 0)
        return InvalidDateValue;
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour > 23 || minute > 59 || second > 59)
        return InvalidDateValue;

    long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // OLE Automation dates before the epoch keep the time of day as a
    // positive fraction behind a negative day: 29 December 1899, 6:00 is -1.25.
    return days >= 0 ? days + time : days - time;
}

int FindInsertPosition(const std::vector<std::string>& keys, std::string_view key, SortKeyKind kind)
{
    // Each test reads both texts again, as numbers, dates or bytes.
    auto value = [kind](std::string_view text) {
        return kind == SortKeyDate ? ReadDateValue(text) : ReadNumber(text);
    };
    auto atLeast = [&](const std::string& entry) {
        return kind == SortKeyText ? std::string_view(key).compare(entry) >= 0 : KeyAtLeast(value(key), value(entry));
    };
    auto atMost = [&](const std::string& entry) {
        return kind == SortKeyText ? std::string_view(key).compare(entry) <= 0 : KeyAtMost(value(key), value(entry));
    };
    auto equals = [&](const std::string& entry) {
        return kind == SortKeyText ? key == entry : KeyEquals(value(key), value(entry));
    };
    auto greater = [&](const std::string& entry) {
        return kind == SortKeyText ? std::string_view(key).compare(entry) > 0 : KeyGreater(value(key), value(entry));
    };

    int m = static_cast<int>(keys.size());
    if (m == 0)
        return 1;
    if (atLeast(keys[m - 1]))
        return m + 1;
    if (atMost(keys[0]))
        return 1;
    int low = 1, high = m;
    while (low < high - 1) {
        int mid = (low + high) / 2;
        if (equals(keys[mid - 1])) {
            low = mid;
            break;
        }
        if (greater(keys[mid - 1]))
            low = mid;
        else
            high = mid;
    }
    return low + 1;
}
