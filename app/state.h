// Program-wide variables, set at start-up and shared by the handlers.
#pragma once

extern bool StopRequested;   // a stop of the running scan has been asked for
extern bool KeywordCleared;  // the keyword placeholder has been removed
extern int SortClickCount;   // column-header clicks so far, over all columns
extern bool WindowClosing;   // the main window is being destroyed: long work ends at its next test

void ResetProgramState();
