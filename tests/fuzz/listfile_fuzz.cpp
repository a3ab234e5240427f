// Feeds arbitrary bytes to the list-file parser, as an import of a file of
// unknown origin would: it must neither crash, hang nor read past the bytes,
// and its rows must be exactly the pieces of the split rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/filelist.h"
#include "listio/listtext.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The pieces joined by the separator give back the text, less a trailing separator.
void CheckPiecesReassemble(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces = SplitText(text, separator);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        // Every piece lies within the text.
        Require(pieces[i].data() >= text.data() && pieces[i].data() + pieces[i].size() <= text.data() + text.size());
        if (i > 0)
            joined += separator;
        joined += pieces[i];
    }
    Require(joined == text || joined + std::string(separator) == text);
}

std::vector<std::string> CellsOf(const FileRow& row)
{
    // Seven cells at most, back to back in the row's text, the hidden one empty.
    Require(row.cellEnd[ColumnHidden] == 0);
    for (int column = 1; column < FileListColumnCount; ++column)
        Require(row.cellEnd[column] >= row.cellEnd[column - 1]);
    Require(row.cellEnd[FileListColumnCount - 1] == row.text.size());
    std::vector<std::string> cells;
    for (int column = ColumnNumber; column <= ColumnDigest; ++column)
        cells.emplace_back(row.Cell(column));
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string_view text = TextBeforeZeroByte(bytes);
    CheckPiecesReassemble(text, "\r\n");
    CheckPiecesReassemble(text, "\t");

    // The rows by the split rule, lines first, then fields, the first six kept.
    std::vector<std::vector<std::string>> expected;
    for (std::string_view line : SplitText(text, "\r\n")) {
        std::vector<std::string> cells(6);
        std::vector<std::string_view> fields = SplitText(line, "\t");
        for (size_t i = 0; i < fields.size() && i < cells.size(); ++i)
            cells[i] = std::string(fields[i]);
        expected.push_back(cells);
    }

    std::vector<FileRow> whole = ParseListText(bytes);
    Require(whole.size() == expected.size());
    for (size_t i = 0; i < whole.size(); ++i)
        Require(CellsOf(whole[i]) == expected[i]);

    // Read in pieces whose sizes come from the bytes themselves: the same rows.
    ListTextReader reader;
    size_t pos = 0;
    size_t step = size > 0 ? 1 + data[0] % 17 : 1;
    while (pos < size) {
        size_t length = std::min(step, size - pos);
        ReadListTextPiece(reader, bytes.substr(pos, length));
        pos += length;
        step = 1 + (step * 7 + data[pos % size]) % 61;
    }
    std::vector<FileRow> pieced = FinishListText(reader);
    Require(pieced.size() == whole.size());
    for (size_t i = 0; i < pieced.size(); ++i)
        Require(CellsOf(pieced[i]) == CellsOf(whole[i]));
    return 0;
}
