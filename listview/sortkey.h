// Sort keys of the file list's columns: how a cell text becomes a key, how
// keys compare, and where binary insertion puts a new key into a sorted key
// list. Window-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the key texts of a column compare.
enum SortKeyKind {
    SortKeyNumber = 0,
    SortKeyText = 1,
    SortKeyDate = 2,
};

// Numbers and dates compare with this tolerance on their difference.
constexpr double RealTolerance = 1e-7;

// The date value of 1 January 100, given to every text that is no valid date.
constexpr double InvalidDateValue = -657434.0;

// The key kind of a file-list column; false for column 0 and any index
// outside the list, which are not sorted.
bool ColumnSortKeyKind(int column, SortKeyKind& kind);

// Removes blanks and ideographic spaces (A1 A1) from both ends. Tabs and
// line breaks stay.
std::string_view TrimSortKey(std::string_view text);

// The key text of a trimmed size cell: the leading number times the factor of
// the first unit found (GB, MB, KB, then B), the text itself without a unit.
std::string SizeKeyText(std::string_view trimmed);

// The number that SizeKeyText's result reads as, without writing the text
// where the number is known to come back unchanged.
double SizeKeyValue(std::string_view trimmed);

// The key text of a cell of the given column: the trimmed text, turned into
// a size key for the size column.
std::string ColumnKeyText(std::string_view cell, int column);

// The value of a date text ("2022年7月8日", "2022-07-08 12:30:45", ...) as an
// OLE Automation date; InvalidDateValue for anything that is not a valid date.
double ReadDateValue(std::string_view text);

// Tolerance comparisons of two key values (numbers or dates). They are not
// transitive, so the order that binary insertion produces depends on exactly
// which entries it compares with; every ordering uses these four tests.
inline double KeyDifference(double key, double entry)
{
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
    // x87 arithmetic keeps extra bits; the tests are made on the difference
    // rounded to double, the same wherever the compiler keeps its operands.
    volatile double difference = key - entry;
    return difference;
#else
    return key - entry;
#endif
}
inline bool KeyAtLeast(double key, double entry) { return KeyDifference(key, entry) >= -RealTolerance; }
inline bool KeyAtMost(double key, double entry) { return KeyDifference(key, entry) <= RealTolerance; }
inline bool KeyEquals(double key, double entry)
{
    double d = KeyDifference(key, entry);
    return d <= RealTolerance && d >= -RealTolerance;
}
inline bool KeyGreater(double key, double entry) { return KeyDifference(key, entry) > RealTolerance; }

// Where binary insertion puts key into the ascending key list: a 1-based
// position from 1 to keys.size() + 1. The list's texts are read as numbers
// or dates again at every comparison; this is the plain form of the ordering,
// kept as the yardstick for the fast one (listview/sortorder.h).
int FindInsertPosition(const std::vector<std::string>& keys, std::string_view key, SortKeyKind kind);
