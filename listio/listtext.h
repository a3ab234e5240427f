// The list text: the byte format shared by the list text file and the
// clipboard. One row is its cells of columns 1 to 6 joined by TAB and ended
// by CR LF; a list text is the rows one after another, with no header, no
// byte-order mark and no terminating zero byte. Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/filelist.h"

// The row text of one row of the file list (empty cells for a row that does
// not exist).
std::string RowText(int row);

// Appends the row text of row to out.
void AppendRowText(std::string& out, const FileRow& row);

// The list text of every row, in the list's present order.
std::string ListText();
// The list text of the given rows, in the order given.
std::string ListTextOfRows(const std::vector<int>& rows);
// The same written straight into memory of the caller's (the clipboard's),
// which has room for ListTextOfRowsLength bytes; returns the end.
size_t ListTextOfRowsLength(const std::vector<int>& rows);
char* WriteListTextOfRows(char* out, const std::vector<int>& rows);

// The split rule for lines (separator CR LF) and fields (separator TAB):
// a piece ends where the separator begins; a byte with its high bit set is
// the first of a double-byte character and moves the scan on by two bytes,
// so it never starts a separator. A leading separator gives an empty first
// piece, a trailing one no empty last piece; an empty text has no pieces.
std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator);

// The text of a list text file: its bytes up to the first zero byte.
std::string_view TextBeforeZeroByte(std::string_view bytes);

// Turns a list text file into rows, a piece at a time, so that a large file
// needs no buffer of its own size: feed the file's bytes in any pieces, then
// finish. The result is the same for every way of cutting the bytes.
struct ListTextReader {
    std::vector<FileRow> rows;
    std::string pending;     // the bytes of the line that has not ended yet
    size_t scanned = 0;      // how far pending has been searched for CR LF
    bool textEnded = false;  // a zero byte ended the text
};
void ReadListTextPiece(ListTextReader& reader, std::string_view bytes);
std::vector<FileRow> FinishListText(ListTextReader& reader);

// The rows of a whole list text file, in one go.
std::vector<FileRow> ParseListText(std::string_view bytes);

// One row from one line: fields 1 to 6 go to columns 1 to 6, further
// fields are dropped, missing ones leave their cells empty.
FileRow RowFromLine(std::string_view line);

// The file an export writes for the path confirmed in the save dialog: the
// path as it stands when it already ends in ".txt" (any letter case),
// otherwise the path with ".txt" appended.
std::string ExportTargetPath(std::string_view confirmedPath);
