// The list text file and the clipboard: export (popup item "保存"), import
// (button "读取") and copy (popup item "复制"). Each reports its outcome on
// the status line.
#pragma once

#include <string>
#include <vector>

void ExportList();
void ImportList();
void CopySelectedRows();

// The work behind the dialogs; each sets the status line and tells whether
// it succeeded.

// Writes listText to the file named by the path confirmed in the save
// dialog (ExportTargetPath). The text goes to a temporary file beside the
// target first, which then replaces the target, so a failed export leaves
// no partial file and an existing target untouched.
bool ExportListText(const std::string& confirmedPath, const std::string& listText);
// Replaces the rows by those of the file; when the file cannot be read the
// rows stay as they were.
bool ImportListFromFile(const std::string& path);
// Puts the list text of the rows, in ascending order, on the clipboard as CF_TEXT.
bool CopyRowsToClipboard(std::vector<int> rows);
