// Placeholders for handlers that are being written on other branches.
// Delete a function here when its real definition lands.
#include "listview/colours.h"
#include "listview/duplicates.h"
#include "listview/sort.h"
#include "scan/walk.h"

void ToggleScan() {}
void MarkDuplicates() {}
void HandleColumnClick(int) {}
void ReleaseCellColourTable() {}
