#include <windows.h>

#include "app/mainwindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return RunApplication(instance, showCommand);
}
