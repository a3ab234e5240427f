#include "listview/duplicates.h"

#include <windows.h>

#include <random>
#include <string>

#include "app/controls.h"
#include "app/filelist.h"
#include "app/pump.h"
#include "app/state.h"
#include "app/window.h"
#include "common/text.h"
#include "listview/colours.h"

namespace {

// Long enough that pumping costs nothing next to the colouring, short enough
// that the window answers at screen rate.
constexpr uint32_t PumpIntervalMs = 16;

// Views into the row store: valid only until messages are pumped, which
// happens only after the plan has been made from them.
std::vector<std::string_view> FingerprintTexts()
{
    int rows = RowCount();
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        texts.push_back(CellTextView(row, ColumnDigest));
    return texts;
}

bool WindowGone() { return WindowClosing || !MainWindow || !超级列表框_文件列表; }

}  // namespace

void MarkDuplicates()
{
    if (CellTextView(0, ColumnNumber).empty())
        return;
    uint32_t before = TickCount();
    std::mt19937 generator(TickCount());
    std::uniform_int_distribution<int> channel(0, 255);
    std::vector<DuplicateMark> marks =
        PlanDuplicateMarks(FingerprintTexts(), [&] { return channel(generator); });

    // The marks belong to the row positions planned above, whatever handlers
    // run while messages are pumped do to the list meanwhile.
    // Only handlers run by the pump could change the list's colours, so they
    // are read again after each pump rather than for every cell.
    bool pumped = false;
    uint32_t lastPump = 0;
    ListColours listColours = {};
    for (const DuplicateMark& mark : marks) {
        if (!pumped || TickCount() - lastPump >= PumpIntervalMs) {
            PumpPendingMessages();
            pumped = true;
            lastPump = TickCount();
            if (WindowGone())
                return;
            listColours = ReadListColours(超级列表框_文件列表);
        }
        SetCellColourWithoutRepaint(MainWindow, 超级列表框_文件列表, mark.row, ColumnDigest, mark.colour,
                                    std::nullopt, listColours);
    }
    if (!marks.empty())
        RepaintColouredList(超级列表框_文件列表);
    SetStatusText("筛选重复文件完毕，本次耗时" + ElapsedSecondsText(before, TickCount()) + "秒");
}
