// The directory walk that fills the file list.
#pragma once

#include <string>

// Click handler of 按钮_扫描: starts a walk, or asks the running one to stop.
void ToggleScan();

// Walks one folder and everything below it, appending a row per matching file.
void ScanDirectory(const std::string& folder, const std::string& keyword);
