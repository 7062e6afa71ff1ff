// Entry point of tessel32.exe.
#include <windows.h>

#include "app/mainwindow_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int show) {
    if (!tessel::StartApplication(instance, previous, cmdLine, show)) return 0;
    int code = tessel::RunMessageLoop();
    tessel::EndApplication();
    return code;
}
