// The directory walk behind the scan button: every file of the folder tree
// whose name matches the keyword becomes one row of the file list, with its
// number, name, folder, size, last-write date and fingerprint.
#pragma once

#include <string>

// Windows only. The click handler of 按钮_扫描: starts a walk of the folder in
// 编辑框_地址, or, while one runs (caption "停止"), asks it to stop.
void ToggleScan();

// Windows only. Walks folder and everything below it, appending a row for
// every matching file: a folder's subfolders first, each depth first, then
// the folder's own files. A relative folder is taken from the current
// directory at the start.
void ScanDirectory(const std::string& folder, const std::string& keyword);

// The search pattern of the files: "*" for an empty keyword or the keyword
// box's placeholder "关键字", otherwise "*" + keyword + "*".
std::string FilePatternForKeyword(const std::string& keyword);

// "%d年%d月%d日", dates outside 1 January 100 .. 31 December 9999 clamped.
std::string DateText(int year, int month, int day);

// Cell texts of a listed file's row, given its 0-based index and its fingerprint text.
std::string RowNumberText(int rowIndex);
std::string SizeCellText(const std::string& fingerprint);
std::string DigestCellText(const std::string& fingerprint);

// The folder path ending in "\" (a "\" that is the second byte of a
// double-byte character does not count).
std::string FolderWithSeparator(const std::string& folder);

// True for "X:\..." , "X:/..." and "\\server\..." paths; false for paths
// that depend on a current directory ("sub", "\sub", "X:sub", "").
bool IsAbsolutePath(const std::string& path);
