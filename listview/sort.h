// Sorting the file list by a column when its header is clicked.
#pragma once

#include "listview/sortkey.h"

// The list's column-click handler: sorts by the column (descending and
// ascending in turn over all clicks of the program) and reports the time taken.
void HandleColumnClick(int column);

// Sorts all rows of the file list by the column, keeps the rows' item values
// with them, and scrolls the row that was current to where it went.
void SortListByColumn(int column, SortKeyKind kind, bool ascending);
