#pragma once
// What the player tests share: a plain top-level window to host the player, the folder of the
// made media (make_media.sh), and a message pump that waits for a condition.
#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly::testing {

inline constexpr RECT kPlayerRect{580, 200, 780, 400};

class HostWindow {
public:
    HostWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"TessalyPlayerTestHost";
        ::RegisterClassExW(&wc);
        window_.reset(::CreateWindowExW(0, wc.lpszClassName, L"player host",
                                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 800,
                                        600, nullptr, nullptr, wc.hInstance, nullptr));
    }
    HWND hwnd() const { return window_.get(); }

private:
    win32::OwnedWindow window_;
};

// Pumps messages until `done()` holds or `ms` have passed; returns done().
template <typename Pred>
bool PumpUntil(Pred done, DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!done()) {
        if (::GetTickCount64() >= end) return done();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

inline void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// build/player-media, beside the bin folder the tests run from.
inline std::wstring MediaFile(const wchar_t* name) {
    std::wstring folder = win32::ExecutableFolder();
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + L"player-media\\" + name;
}

}  // namespace tessaly::testing
