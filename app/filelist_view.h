// Keeps the owner-data list view in step with the row store.
#pragma once

#include <windows.h>

#include <cstdint>

// Installs the store's change hook; called once the list view exists.
void AttachFileListView();
// Tells the list view the current row count and repaints what changed.
void SyncFileListView();
// Milliseconds the list view took to take its last new row count.
uint32_t FileListCountCostMs();
// True when the list view has not yet been told of every change.
bool FileListViewBehind();
