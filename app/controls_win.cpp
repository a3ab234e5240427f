#include "app/controls.h"

#include "app/filelist_view.h"
#include "app/pump.h"
#include "app/window.h"

namespace {

constexpr uint32_t ScreenIntervalMs = 16;
// Telling the list view a new row count costs little on Windows but about
// 20 ms under Wine, where it repaints the scroll bar at once. While a long
// operation pumps messages the list is therefore told at screen rate or ten
// times its own cost apart, whichever is longer: a scan keeps its pace and
// the list still grows visibly. Once the operation is over, it catches up at once.
uint32_t ListRefreshIntervalMs()
{
    uint32_t interval = 10 * FileListCountCostMs();
    return interval > ScreenIntervalMs ? interval : ScreenIntervalMs;
}

// Texts used while the controls do not exist.
std::string addressText;
std::string keywordText;
std::string scanCaption = "扫描";

std::string statusText;
bool statusDirty = false;
uint32_t lastStatusTicks = 0;
uint32_t lastListTicks = 0;
bool refreshTimerPending = false;

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

uint32_t TickCount() { return GetTickCount(); }

std::string AddressText() { return 编辑框_地址 ? WindowText(编辑框_地址) : addressText; }

void SetAddressText(const std::string& text)
{
    addressText = text;
    if (编辑框_地址)
        SetWindowTextA(编辑框_地址, text.c_str());
}

std::string KeywordText() { return 编辑框_关键字 ? WindowText(编辑框_关键字) : keywordText; }

void SetKeywordText(const std::string& text)
{
    keywordText = text;
    if (编辑框_关键字)
        SetWindowTextA(编辑框_关键字, text.c_str());
}

std::string ScanButtonCaption() { return 按钮_扫描 ? WindowText(按钮_扫描) : scanCaption; }

void SetScanButtonCaption(const std::string& text)
{
    scanCaption = text;
    if (按钮_扫描)
        SetWindowTextA(按钮_扫描, text.c_str());
}

const std::string& StatusText() { return statusText; }

void SetStatusText(const std::string& text)
{
    statusText = text;
    statusDirty = true;
    RefreshViewsIfDue();
    if (statusDirty)
        ScheduleViewRefresh();
}

void FlushStatusLine()
{
    if (!statusDirty)
        return;
    statusDirty = false;
    if (标签_状态栏 && IsWindow(标签_状态栏))
        SetWindowTextA(标签_状态栏, statusText.c_str());
}

void RefreshViewsIfDue()
{
    uint32_t now = GetTickCount();
    if (statusDirty && now - lastStatusTicks >= ScreenIntervalMs) {
        lastStatusTicks = now;
        FlushStatusLine();
    }
    if (now - lastListTicks >= ListRefreshIntervalMs()) {
        lastListTicks = now;
        SyncFileListView();
    }
}

void FlushPendingViewUpdates()
{
    lastStatusTicks = lastListTicks = GetTickCount();
    FlushStatusLine();
    SyncFileListView();
}

void ScheduleViewRefresh()
{
    if (refreshTimerPending || !MainWindow || !IsWindow(MainWindow))
        return;
    if (SetTimer(MainWindow, ViewRefreshTimerId, ScreenIntervalMs, nullptr))
        refreshTimerPending = true;
}

void HandleViewRefreshTimer()
{
    if (MainWindow)
        KillTimer(MainWindow, ViewRefreshTimerId);
    refreshTimerPending = false;
    if (!PumpingForLongOperation()) {
        FlushPendingViewUpdates();
        return;
    }
    RefreshViewsIfDue();
    if (statusDirty || FileListViewBehind())
        ScheduleViewRefresh();
}

void ResetControlTexts()
{
    addressText.clear();
    keywordText.clear();
    scanCaption = "扫描";
    statusText.clear();
    statusDirty = false;
    refreshTimerPending = false;
}
