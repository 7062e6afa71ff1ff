// Entry point of tessel32.exe.
#include <windows.h>

#include "app/mainwindow_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int show) {
    if (!tessel::mainwindow::StartApplication(instance, previous, cmdLine, show)) return 0;
    int code = tessel::mainwindow::RunMessageLoop();
    tessel::mainwindow::EndApplication();
    return code;
}
