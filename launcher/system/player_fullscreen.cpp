#include "launcher/system/player_fullscreen.h"

namespace tessaly {

namespace {

constexpr wchar_t kFrameClass[] = L"TessalyPlayerFrame";

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterFrameClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kFrameClass;
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

HWND FullScreenFrame::Open(HWND owner) {
    if (window_ && owner != owner_) window_.reset();
    if (!window_) {
        if (!RegisterFrameClass()) return nullptr;
        owner_ = owner;
        window_.reset(::CreateWindowExW(WS_EX_NOACTIVATE, kFrameClass, L"",
                                        WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, owner, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
        if (!window_) return nullptr;
    }
    const SIZE s = Size();
    ::SetWindowPos(window_.get(), HWND_TOP, 0, 0, s.cx, s.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return window_.get();
}

void FullScreenFrame::Close() {
    if (window_) ::ShowWindow(window_.get(), SW_HIDE);
}

SIZE FullScreenFrame::Size() const {
    return SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace tessaly
