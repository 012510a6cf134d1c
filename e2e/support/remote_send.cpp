// A remote for the scenarios, as the system sees one:
//   remote_send command N   posts WM_APPCOMMAND N (APPCOMMAND_*) to the window in front, as from a
//                           device other than the keyboard (a remote that sends no keys);
//   remote_send key VK      presses and releases the virtual key VK through the system's input,
//                           for the keys the X server here has no key for (VK_BROWSER_HOME).
// Prints the window in front; exit code 2 when there is none.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 1;
    const int number = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    HWND front = ::GetForegroundWindow();
    if (!front) return 2;
    std::printf("%p\n", static_cast<void*>(front));
    if (std::wcscmp(argv[1], L"key") == 0) {
        INPUT keys[2] = {};
        for (INPUT& k : keys) {
            k.type = INPUT_KEYBOARD;
            k.ki.wVk = static_cast<WORD>(number);
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        return ::SendInput(2, keys, sizeof(INPUT)) == 2 ? 0 : 1;
    }
    return ::PostMessageW(front, WM_APPCOMMAND, reinterpret_cast<WPARAM>(front),
                          MAKELPARAM(0, number | FAPPCOMMAND_OEM)) ? 0 : 1;
}
