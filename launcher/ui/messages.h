#pragma once
// Window messages of the launcher. The numbers are fixed; each receiving window translates them
// into calls in one place.
#include <windows.h>

namespace tessaly {

constexpr UINT kMsgPageCommand = WM_USER + 11;      // 1035: to a page; wParam 0..3, lParam tile kind
constexpr UINT kMsgRunMenuCommand = WM_USER + 12;   // 1036: wParam command, lParam control id
constexpr UINT kMsgReturnFromPage = WM_USER + 13;   // 1037: wParam group number
constexpr UINT kMsgCloseWorker = WM_USER + 16;      // 1040: wParam worker thread handle
constexpr UINT kMsgMenuTileHovered = WM_USER + 22;  // 1046: wParam command
constexpr UINT kMsgProgramPick = WM_USER + 24;      // 1048: wParam group or kind, lParam 0/1
constexpr UINT kMsgClickSound = WM_USER + 25;       // 1049
constexpr UINT kMsgPanelKey = WM_USER + 26;         // 1050: wParam virtual-key code
constexpr UINT kMsgOpenItem = WM_USER + 53;         // 1077: wParam index, lParam 1 = whole tree
constexpr UINT kMsgTogglePanel = 2223;
constexpr UINT kMsgDecodeTurnPage = WM_APP + 1;     // private: finish start-up after the first frame
constexpr UINT kMsgPreviewReady = WM_APP + 2;       // private: the browser's preview is decoded
constexpr UINT kMsgTreeFiles = WM_APP + 3;          // private: a tree walk found files; wParam ticket
constexpr UINT kMsgViewerPicture = WM_APP + 4;      // private: the viewer's picture is decoded

// Timers
constexpr UINT_PTR kPlayerFullScreenTimer = 2;
constexpr UINT_PTR kClockTimer = 92;
constexpr UINT_PTR kBackgroundTimer = 93;
constexpr UINT_PTR kCountdownTimer = 991;
constexpr UINT_PTR kPageClockTimer = 9991;

}  // namespace tessaly
