// Rows of the file list and files, as the list-command tests write and read them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/filelist.h"

using RowCells = std::vector<std::string>;  // columns 1 to 6

inline int AppendRowWithCells(const RowCells& cells)
{
    int row = AppendRow();
    for (size_t i = 0; i < cells.size(); ++i)
        SetCellText(row, static_cast<int>(i) + 1, cells[i]);
    return row;
}

inline RowCells RowCellsOf(int row)
{
    RowCells cells;
    for (int column = ColumnNumber; column <= ColumnDigest; ++column)
        cells.push_back(GetCellText(row, column));
    return cells;
}

inline std::vector<RowCells> AllRowCells()
{
    std::vector<RowCells> rows;
    for (int row = 0; row < RowCount(); ++row)
        rows.push_back(RowCellsOf(row));
    return rows;
}

// The whole content of a file, or "<missing>".
inline std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}
