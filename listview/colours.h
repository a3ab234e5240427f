// Single cells of a report-style list view with their own text and text
// background colours. The window that holds the list is subclassed at the
// first call; its replacement procedure answers the list's custom-draw
// notifications from CellColourTable (listview/colour_table.h).
#pragma once

#include <windows.h>

#include <optional>

#include "listview/colour_table.h"

// The window procedure was replaced by CellColourWindowProc; never cleared.
extern bool SubclassInstalled;
// What CellColourWindowProc replaced, and hands every message on to.
extern WNDPROC PreviousWindowProc;

// Registers the colours of one cell and repaints the list. Only the first
// call of a run subclasses `window` (the list's parent); row and column are
// positions and are not checked against the list.
void SetCellColour(HWND window, HWND list, int row, int column, COLORREF textColour,
                   std::optional<COLORREF> backColour = std::nullopt);

// The list's text colour and the colour behind its item texts, as the list
// view reports them now.
ListColours ReadListColours(HWND list);

// The same registration without the repaint, for callers that colour many
// cells at once and repaint once at the end with RepaintColouredList. They
// read the list's colours with ReadListColours, again whenever other handlers
// may have run in between.
void SetCellColourWithoutRepaint(HWND window, HWND list, int row, int column, COLORREF textColour,
                                 std::optional<COLORREF> backColour, const ListColours& listColours);

// Hides and shows the list, so that every cell is drawn again with its colours.
void RepaintColouredList(HWND list);

LRESULT CALLBACK CellColourWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Program end: frees the table with all its records.
void ReleaseCellColourTable();

// Tests: forget the table and the subclass state. Does not touch any window.
void ResetCellColours();
