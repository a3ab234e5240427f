// The order of a column sort. Rows are ordered by binary insertion into an
// ascending key list, ties and tolerance comparisons included, exactly as
// FindInsertPosition (listview/sortkey.h) places each key; but the keys are
// read once and the list is a blocked list with counted blocks, so that a
// million rows take seconds instead of hours. Window-free.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/filelist.h"
#include "listview/sortkey.h"

// Keys as numbers that compare like their texts: numbers and dates by value,
// texts by their rank among the distinct texts (byte order), so that the
// tolerance tests on ranks give exactly the text comparisons.
std::vector<double> KeyValuesOfTexts(const std::vector<std::string_view>& keyTexts, SortKeyKind kind);

// The keys of one column of the rows, read as KeyValuesOfTexts reads their
// key texts (trimmed cells, size keys for the size column).
std::vector<double> ReadColumnKeys(const std::vector<FileRow>& rows, int column, SortKeyKind kind);

// Inserts keys[0], keys[1], ... one after the other into an ascending list
// at the place FindInsertPosition's binary search picks; entry j of the
// result is the index of the key that ends at place j.
std::vector<int32_t> BinaryInsertionOrder(const std::vector<double>& keys);

// The ascending order of the rows by the column: entry j is the row that
// goes to place j.
std::vector<int32_t> SortedRowOrder(const std::vector<FileRow>& rows, int column, SortKeyKind kind);

// Puts the rows in the given ascending order, or its reverse: new row U is
// the former row order[U] ascending, order[n - 1 - U] descending. Rows move
// whole: cells, item value and identity.
void ArrangeRows(std::vector<FileRow>& rows, const std::vector<int32_t>& order, bool ascending);
