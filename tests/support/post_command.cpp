// Posts WM_COMMAND with the id given on the command line to the running
// editor's main window, e.g. to open the about box for a screenshot.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HWND main = FindWindowA("Tessel32", nullptr);
    if (!main) return 1;
    PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(std::strtoul(argv[1], nullptr, 10)), 0);
    return 0;
}
