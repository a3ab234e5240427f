// Text helpers shared by every subsystem. All texts are bytes in the ANSI
// code page (GBK); a byte with its high bit set starts a double-byte
// character, and every scan here steps over such characters whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// True for the first byte of a double-byte character.
inline bool IsLeadByte(unsigned char c) { return (c & 0x80) != 0; }

// Byte length of the character that starts at text[pos] (1 or 2; 1 for a
// lead byte cut off at the end of the text).
inline size_t CharLengthAt(std::string_view text, size_t pos)
{
    return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// Replaces the full-width forms of ASCII characters (A3A1..A3FE) by their
// ASCII counterparts, the ideographic space A1A1 by a blank, A1AB by "~" and
// the star signs A1EE and A1EF by "*". Other characters are kept as they are.
std::string NormalizeFullWidth(std::string_view text);

// Reads a number like the C library's atof, after NormalizeFullWidth: leading
// white space skipped, the longest leading decimal number taken, 0 if none.
double ReadNumber(std::string_view text);

// The part of text before the first separator; empty when the separator does
// not occur or stands at the very start.
std::string TextBeforeFirst(std::string_view text, std::string_view separator);

// The part of text after the last separator; the whole text when it does not occur.
std::string TextAfterLast(std::string_view text, std::string_view separator);

// A real written with "%.13g".
std::string FormatReal(double value);

// Seconds between two millisecond tick counts, as the "本次耗时" messages show
// them: "%.13g" of (after - before) / 1000. The tick count wraps after 49.7
// days, so the difference is taken modulo 2^32.
std::string ElapsedSecondsText(uint32_t beforeTicks, uint32_t afterTicks);

// True when the last character (not merely the last byte) of the text is "\".
bool EndsWithBackslashChar(std::string_view text);

// ASCII-only case-insensitive comparison of equal-length byte ranges.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
