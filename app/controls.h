// The control texts that the handlers read and write, and the status line.
// While no window exists (tests of the scan alone) the texts live here; once
// the window exists they are the controls' own texts.
#pragma once

#include <cstdint>
#include <string>

std::string AddressText();               // 编辑框_地址: the folder to scan
void SetAddressText(const std::string& text);
std::string KeywordText();               // 编辑框_关键字
void SetKeywordText(const std::string& text);
std::string ScanButtonCaption();         // 按钮_扫描: "扫描" or "停止"
void SetScanButtonCaption(const std::string& text);

// The status line. The text is kept here at once; the control is repainted
// at screen rate (about every 16 ms), so that a scan listing thousands of
// files a second does not spend its time redrawing. FlushStatusLine shows a
// pending text now.
const std::string& StatusText();
void SetStatusText(const std::string& text);
void FlushStatusLine();

// Brings the status line and the list view up to date when their last
// refresh is older than the screen interval; FlushPendingViewUpdates does it
// unconditionally.
void RefreshViewsIfDue();
void FlushPendingViewUpdates();

// Whatever is still pending when a handler returns to the message loop is
// shown by a one-shot timer on the main window.
constexpr unsigned ViewRefreshTimerId = 1;
void ScheduleViewRefresh();
void HandleViewRefreshTimer();  // WM_TIMER with ViewRefreshTimerId

// Forgets the texts kept while no window existed (tests).
void ResetControlTexts();

// Milliseconds tick count (GetTickCount).
uint32_t TickCount();
