// The file list's operations that belong to the list view itself: selection,
// the current row and scrolling. Without a window they see no selection.
#pragma once

#include <vector>

std::vector<int> SelectedRows();   // ascending
void SelectRow(int row);           // adds the selected state; others keep theirs
int CurrentRow();                  // lowest-numbered selected row, or -1
void SetCurrentRow(int row);       // focus only: no row's selected state changes
void ScrollIntoView(int row);
