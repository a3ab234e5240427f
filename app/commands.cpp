#include "app/commands.h"

#include "app/filelist.h"

std::string RowFullPath(int row)
{
    std::string path(CellTextView(row, ColumnFolder));
    path += CellTextView(row, ColumnName);
    return path;
}

std::string FolderWindowCommandLine(std::string_view fullPath)
{
    std::string commandLine = "explorer.exe /n,/select, ";
    commandLine += fullPath;
    return commandLine;
}
