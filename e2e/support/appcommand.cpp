// A remote that sends only WM_APPCOMMAND, for the scenarios: posts the command given as a number
// (APPCOMMAND_*) to the window in front, as coming from a device other than the keyboard, and says
// which window that was. Exit code 2 when no window is in front.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 1;
    const int command = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    HWND front = ::GetForegroundWindow();
    if (!front) return 2;
    wchar_t title[128] = {};
    ::GetWindowTextW(front, title, 128);
    std::printf("%p %ls\n", static_cast<void*>(front), title);
    return ::PostMessageW(front, WM_APPCOMMAND, reinterpret_cast<WPARAM>(front),
                          MAKELPARAM(0, command | FAPPCOMMAND_OEM)) ? 0 : 1;
}
