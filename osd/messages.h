#pragma once
// Window messages and timers of the OSD program. The hook posts the messages to the hidden main
// window, which translates them into displays in one place.
#include <windows.h>

namespace osd {

constexpr UINT kMsgPicture = WM_USER + 96;     // wParam 2, lParam = picture code
constexpr UINT kMsgMute = WM_USER + 97;        // wParam 3
constexpr UINT kMsgVolumeUp = WM_USER + 98;    // wParam 5
constexpr UINT kMsgVolumeDown = WM_USER + 99;  // wParam 4
// From the shell hook library, in another program: lParam = the WM_APPCOMMAND lParam.
constexpr UINT kMsgAppCommand = WM_USER + 100;

// The hidden main window's title, by which the shell hook library finds it.
inline constexpr wchar_t kMainWindowTitle[] = L"Vantosd";
// The shell hook library, beside the program, and its hook procedure.
inline constexpr wchar_t kShellHookLibrary[] = L"VantosdHook.dll";
inline constexpr char kShellHookProc[] = "VantosdShellProc";

// Timers of the OSD box
constexpr UINT_PTR kHideTimer = 91;
constexpr UINT_PTR kMuteSettleTimer = 92;

}  // namespace osd
