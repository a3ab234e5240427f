#include "listio/listtext.h"

#include <cstring>

#include "common/text.h"

namespace {

constexpr int FirstTextColumn = ColumnNumber;
constexpr int LastTextColumn = ColumnDigest;
constexpr int TextColumnCount = LastTextColumn - FirstTextColumn + 1;
// The TABs between the six cells and the CR LF behind them.
constexpr size_t RowFrameBytes = (TextColumnCount - 1) + 2;

size_t RowTextLength(const FileRow& row)
{
    return (row.cellEnd[LastTextColumn] - row.cellEnd[FirstTextColumn - 1]) + RowFrameBytes;
}

// Writes the row text at out, which has room for RowTextLength(row) bytes;
// returns the position behind it.
char* WriteRowText(char* out, const FileRow& row)
{
    for (int column = FirstTextColumn; column <= LastTextColumn; ++column) {
        std::string_view cell = row.Cell(column);
        if (!cell.empty()) {
            std::memcpy(out, cell.data(), cell.size());
            out += cell.size();
        }
        *out++ = column == LastTextColumn ? '\r' : '\t';
    }
    *out++ = '\n';
    return out;
}

// Appends a row for every line of text that is ended by CR LF, scanning
// from scan (a position the previous call left off at; text starts at the
// beginning of a line). Returns where the unended last line starts; scan is
// left where the search stopped, short of the end when the last byte could
// begin a CR LF or is the first of a double-byte character.
size_t TakeEndedLines(std::string_view text, size_t& scan, std::vector<FileRow>& rows)
{
    const char* data = text.data();
    size_t size = text.size();
    size_t lineStart = 0;
    size_t pos = scan;
    while (pos + 2 <= size) {
        unsigned char c = static_cast<unsigned char>(data[pos]);
        if (c == '\r' && data[pos + 1] == '\n') {
            rows.push_back(RowFromLine(text.substr(lineStart, pos - lineStart)));
            pos += 2;
            lineStart = pos;
        } else {
            pos += IsLeadByte(c) ? 2 : 1;
        }
    }
    scan = pos;
    return lineStart;
}

// The stored row, or an empty one for a row that does not exist.
const FileRow& StoredRowOrEmpty(int row)
{
    static const FileRow emptyRow;
    const std::vector<FileRow>& rows = FileListRows();
    return row >= 0 && static_cast<size_t>(row) < rows.size() ? rows[static_cast<size_t>(row)] : emptyRow;
}

}  // namespace

void AppendRowText(std::string& out, const FileRow& row)
{
    size_t start = out.size();
    out.resize(start + RowTextLength(row));
    WriteRowText(out.data() + start, row);
}

std::string RowText(int row)
{
    std::string text;
    AppendRowText(text, StoredRowOrEmpty(row));
    return text;
}

std::string ListText()
{
    const std::vector<FileRow>& rows = FileListRows();
    size_t total = 0;
    for (const FileRow& row : rows)
        total += RowTextLength(row);
    std::string text(total, '\0');
    char* out = text.data();
    for (const FileRow& row : rows)
        out = WriteRowText(out, row);
    return text;
}

std::string ListTextOfRows(const std::vector<int>& indexes)
{
    std::string text(ListTextOfRowsLength(indexes), '\0');
    WriteListTextOfRows(text.data(), indexes);
    return text;
}

size_t ListTextOfRowsLength(const std::vector<int>& indexes)
{
    size_t total = 0;
    for (int row : indexes)
        total += RowTextLength(StoredRowOrEmpty(row));
    return total;
}

char* WriteListTextOfRows(char* out, const std::vector<int>& indexes)
{
    for (int row : indexes)
        out = WriteRowText(out, StoredRowOrEmpty(row));
    return out;
}

std::vector<std::string_view> SplitText(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces;
    if (text.empty() || separator.empty())
        return pieces;
    size_t start = 0;
    size_t pos = 0;
    while (pos + separator.size() <= text.size()) {
        if (text.compare(pos, separator.size(), separator) == 0) {
            pieces.push_back(text.substr(start, pos - start));
            pos += separator.size();
            start = pos;
        } else {
            pos += IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        }
    }
    if (start < text.size())
        pieces.push_back(text.substr(start));
    return pieces;
}

std::string_view TextBeforeZeroByte(std::string_view bytes)
{
    const void* zero = std::memchr(bytes.data(), 0, bytes.size());
    return zero ? bytes.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - bytes.data())) : bytes;
}

FileRow RowFromLine(std::string_view line)
{
    // Only the first six fields are wanted, so the scan stops at the sixth TAB.
    std::string_view fields[TextColumnCount];
    int count = 0;
    size_t start = 0;
    size_t pos = 0;
    while (pos < line.size() && count < TextColumnCount) {
        unsigned char c = static_cast<unsigned char>(line[pos]);
        if (c == '\t') {
            fields[count++] = line.substr(start, pos - start);
            start = ++pos;
        } else {
            pos += IsLeadByte(c) ? 2 : 1;
        }
    }
    if (count < TextColumnCount && start < line.size())
        fields[count++] = line.substr(start);

    FileRow row;
    size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += fields[i].size();
    row.text.reserve(total);
    for (int i = 0; i < TextColumnCount; ++i) {
        row.text.append(fields[i].data(), fields[i].size());
        row.cellEnd[FirstTextColumn + i] = static_cast<uint32_t>(row.text.size());
    }
    return row;
}

void ReadListTextPiece(ListTextReader& reader, std::string_view bytes)
{
    if (reader.textEnded)
        return;
    std::string_view text = TextBeforeZeroByte(bytes);
    reader.textEnded = text.size() < bytes.size();
    if (reader.pending.empty()) {
        // Lines that lie wholly within this piece are taken straight from it.
        size_t scan = 0;
        size_t rest = TakeEndedLines(text, scan, reader.rows);
        reader.pending.assign(text.substr(rest));
        reader.scanned = scan - rest;
    } else {
        reader.pending.append(text);
        size_t scan = reader.scanned;
        size_t rest = TakeEndedLines(reader.pending, scan, reader.rows);
        reader.pending.erase(0, rest);
        reader.scanned = scan - rest;
    }
}

std::vector<FileRow> FinishListText(ListTextReader& reader)
{
    // The bytes behind the last CR LF form the last line when there are any.
    if (!reader.pending.empty())
        reader.rows.push_back(RowFromLine(reader.pending));
    std::vector<FileRow> rows = std::move(reader.rows);
    reader = ListTextReader();
    return rows;
}

std::vector<FileRow> ParseListText(std::string_view bytes)
{
    ListTextReader reader;
    ReadListTextPiece(reader, bytes);
    return FinishListText(reader);
}

std::string ExportTargetPath(std::string_view confirmedPath)
{
    constexpr std::string_view suffix = ".txt";
    size_t size = confirmedPath.size();
    if (size >= suffix.size() && EqualsIgnoreAsciiCase(confirmedPath.substr(size - suffix.size()), suffix)) {
        // The suffix counts only when it starts a character, not when its
        // dot is the second byte of a double-byte character.
        size_t pos = 0;
        while (pos < size - suffix.size())
            pos += CharLengthAt(confirmedPath, pos);
        if (pos == size - suffix.size())
            return std::string(confirmedPath);
    }
    std::string target(confirmedPath);
    target += suffix;
    return target;
}
