// Posts WM_COMMAND with the id given on the command line to the running
// editor's main window, e.g. to open the about box for a screenshot.
//
//   post_command ID [LPARAM [post|send [WINDOW]]]
//
// LPARAM and WINDOW are numbers (0x... for hexadecimal); "send" sends the
// message from this process and waits up to 5 s for the answer. Exit status:
// 0 delivered, 1 no window, 2 usage, 3 the send failed or timed out.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const auto id = static_cast<WPARAM>(std::strtoul(argv[1], nullptr, 0));
    const auto arg = static_cast<LPARAM>(argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 0);
    const bool send = argc > 3 && std::strcmp(argv[3], "send") == 0;
    HWND main = argc > 4 ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[4], nullptr, 0)))
                         : FindWindowA("Tessel32", nullptr);
    if (!main || !IsWindow(main)) return 1;
    if (!send) return PostMessageA(main, WM_COMMAND, id, arg) ? 0 : 3;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_COMMAND, id, arg, SMTO_NORMAL, 5000, &result) ? 0 : 3;
}
