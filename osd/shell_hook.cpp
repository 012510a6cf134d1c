// VantosdHook.dll: Vantosd's shell hook, for systems that give no shell hook window. It runs in the
// program whose window left an application command to the system, and hands the command to
// Vantosd's hidden window; everything else about it is Vantosd's business.
#include <windows.h>

#include "osd/messages.h"

extern "C" LRESULT CALLBACK VantosdShellProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HSHELL_APPCOMMAND) {
        if (HWND osd = ::FindWindowW(L"#32770", osd::kMainWindowTitle))
            ::PostMessageW(osd, osd::kMsgAppCommand, 0, lp);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
