#pragma once
// Window messages and timers of the OSD program. The hook posts the messages to the hidden main
// window, which translates them into displays in one place.
#include <windows.h>

namespace osd {

constexpr UINT kMsgPicture = WM_USER + 96;     // wParam 2, lParam = picture code
constexpr UINT kMsgMute = WM_USER + 97;        // wParam 3
constexpr UINT kMsgVolumeUp = WM_USER + 98;    // wParam 5
constexpr UINT kMsgVolumeDown = WM_USER + 99;  // wParam 4

// Timers of the OSD box
constexpr UINT_PTR kHideTimer = 91;
constexpr UINT_PTR kMuteSettleTimer = 92;

}  // namespace osd
