#include "common/text.h"

#include <cstdio>
#include <cstdlib>

std::string NormalizeFullWidth(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(c) || i + 1 >= text.size()) {
            out.push_back(text[i]);
            ++i;
            continue;
        }
        unsigned char t = static_cast<unsigned char>(text[i + 1]);
        if (c == 0xA3 && t >= 0xA1 && t <= 0xFE)
            out.push_back(static_cast<char>(t - 0x80));
        else if (c == 0xA1 && t == 0xA1)
            out.push_back(' ');
        else if (c == 0xA1 && t == 0xAB)
            out.push_back('~');
        else if (c == 0xA1 && (t == 0xEE || t == 0xEF))
            out.push_back('*');
        else {
            out.push_back(text[i]);
            out.push_back(text[i + 1]);
        }
        i += 2;
    }
    return out;
}

double ReadNumber(std::string_view text)
{
    // strtod also reads hexadecimal numbers, "inf" and "nan"; atof's decimal
    // rule does not, so the decimal number is cut out first.
    std::string s = NormalizeFullWidth(text);
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            while (j < s.size() && s[j] >= '0' && s[j] <= '9')
                ++j;
            i = j;
        }
    }
    std::string number = s.substr(start, i - start);
    return std::strtod(number.c_str(), nullptr);
}

std::string TextBeforeFirst(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return std::string();
    size_t pos = text.find(separator);
    if (pos == std::string_view::npos || pos == 0)
        return std::string();
    return std::string(text.substr(0, pos));
}

std::string TextAfterLast(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return std::string(text);
    // Repeatedly taking the part after the first occurrence ends behind the
    // last occurrence that does not overlap an earlier one.
    size_t start = 0;
    for (;;) {
        size_t pos = text.find(separator, start);
        if (pos == std::string_view::npos)
            return std::string(text.substr(start));
        start = pos + separator.size();
    }
}

std::string FormatReal(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return buffer;
}

std::string ElapsedSecondsText(uint32_t beforeTicks, uint32_t afterTicks)
{
    uint32_t elapsed = afterTicks - beforeTicks;
    return FormatReal(static_cast<double>(elapsed) / 1000.0);
}

bool EndsWithBackslashChar(std::string_view text)
{
    size_t i = 0;
    size_t lastStart = std::string_view::npos;
    while (i < text.size()) {
        lastStart = i;
        i += CharLengthAt(text, i);
    }
    return lastStart != std::string_view::npos && text.size() - lastStart == 1 && text[lastStart] == '\\';
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}
