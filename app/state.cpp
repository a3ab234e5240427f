#include "app/state.h"

bool StopRequested = false;
bool KeywordCleared = false;
int SortClickCount = 0;
bool WindowClosing = false;

void ResetProgramState()
{
    StopRequested = false;
    KeywordCleared = false;
    SortClickCount = 0;
    WindowClosing = false;
}
