#include "listio/filedialog.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "app/window.h"

namespace {

constexpr DWORD PathBufferSize = 32768;

}  // namespace

bool ShowFileDialog(FileDialog& dialog)
{
    std::string filter = DialogFilterText(dialog.filter);
    std::vector<char> file(PathBufferSize, '\0');
    dialog.path.copy(file.data(), file.size() - 1);

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = MainWindow;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = PathBufferSize;
    request.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    // The export writes name.txt for a name typed without the suffix; with
    // this default the overwrite question already asks about that file.
    request.lpstrDefExt = dialog.save ? "txt" : nullptr;

    BOOL confirmed = dialog.save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    if (!confirmed || file[0] == '\0')
        return false;
    dialog.path = file.data();
    return true;
}
