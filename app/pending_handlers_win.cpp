// Placeholders for handlers that are being written on other branches.
// Delete a function here when its real definition lands.
#include "app/commands.h"
#include "listio/listfile.h"
#include "listview/colours.h"
#include "listview/duplicates.h"
#include "listview/sort.h"
#include "scan/walk.h"

void ToggleScan() {}
void MarkDuplicates() {}
void ReleaseCellColourTable() {}
void ImportList() {}
void ExportList() {}
void CopySelectedRows() {}
void ShowListMenu() {}
bool HandleMenuCommand(int) { return false; }
void ShowCurrentRowInFolder() {}
