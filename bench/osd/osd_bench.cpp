// Time from a key reaching the low-level hooks to the OSD box's pixels on screen.
//   osd_bench volume|picture|floor [presses]
// The keys come from the user (run.sh presses them on the display): volume up/down, media
// play/pause, or for the floor F24, which nobody maps and for which this program shows a plain
// window of its own from its hook (the same path with no work in it). Keys that arrive while the
// box is still up are not counted. Keys injected with SendInput do not reach other programs'
// hooks under Wine, hence real key presses.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace {

LARGE_INTEGER g_hookTime{};
bool g_seen = false;
bool g_armed = false;
DWORD g_watch[2] = {};
HWND g_floorWindow = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN) && g_armed && !g_seen) {
        const DWORD vk = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp)->vkCode;
        if (vk == g_watch[0] || vk == g_watch[1]) {
            ::QueryPerformanceCounter(&g_hookTime);
            g_seen = true;
            if (g_floorWindow) ::ShowWindow(g_floorWindow, SW_SHOWNOACTIVATE);
        }
    }
    return ::CallNextHookEx(g_hook, code, wp, lp);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER freq) {
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Waits (pumping) until the probe pixel is or is not `colour`; false on timeout.
bool WaitPixel(HDC screen, int x, int y, COLORREF colour, bool equal, DWORD timeoutMs) {
    const DWORD end = ::GetTickCount() + timeoutMs;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        Pump();
        if ((::GetPixel(screen, x, y) == colour) == equal) return true;
        ::Sleep(0);
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* mode = argc > 1 ? argv[1] : L"volume";
    int presses = argc > 2 ? std::max(1, std::min(1000, _wtoi(argv[2]))) : 50;
    const bool floor = std::wcscmp(mode, L"floor") == 0;
    const bool picture = std::wcscmp(mode, L"picture") == 0;

    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    // Middle of the box, or of this program's own window for the floor.
    int probeX = width - 250 + 91, probeY = 50 + 26;
    if (floor) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = ::CreateSolidBrush(RGB(200, 40, 40));
        wc.lpszClassName = L"OsdBenchFloor";
        ::RegisterClassW(&wc);
        g_floorWindow = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, 40, 40,
                                          183, 52, nullptr, nullptr, wc.hInstance, nullptr);
        probeX = 40 + 91;
        probeY = 40 + 26;
        g_watch[0] = g_watch[1] = VK_F24;
    } else if (picture) {
        g_watch[0] = g_watch[1] = VK_MEDIA_PLAY_PAUSE;
    } else {
        g_watch[0] = VK_VOLUME_UP;
        g_watch[1] = VK_VOLUME_DOWN;
    }
    g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Hook, ::GetModuleHandleW(nullptr), 0);
    if (!g_hook) {
        std::fprintf(stderr, "no keyboard hook\n");
        return 2;
    }
    HDC screen = ::GetDC(nullptr);
    const COLORREF background = ::GetPixel(screen, probeX, probeY);
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);

    std::vector<double> samples;
    int missed = 0;
    // Gives up when no key comes for a while (the presses have stopped).
    while (static_cast<int>(samples.size()) < presses && missed < 5) {
        // The box must be gone first (it hides two seconds after a key).
        if (!WaitPixel(screen, probeX, probeY, background, true, 6000)) {
            ++missed;
            continue;
        }
        g_seen = false;
        g_armed = true;
        const DWORD end = ::GetTickCount() + 10000;
        while (!g_seen && static_cast<LONG>(end - ::GetTickCount()) > 0) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        g_armed = false;
        if (!g_seen || !WaitPixel(screen, probeX, probeY, background, false, 3000)) {
            ++missed;
            continue;
        }
        LARGE_INTEGER shown;
        ::QueryPerformanceCounter(&shown);
        samples.push_back(Ms(g_hookTime, shown, freq));
        if (g_floorWindow) ::ShowWindow(g_floorWindow, SW_HIDE);
    }
    ::ReleaseDC(nullptr, screen);
    ::UnhookWindowsHookEx(g_hook);
    if (samples.empty()) {
        std::printf("%ls: no press reached the screen (%d missed)\n", mode, missed);
        return 1;
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples.size() % 2 ? samples[samples.size() / 2]
                                             : (samples[samples.size() / 2 - 1] + samples[samples.size() / 2]) / 2;
    std::printf("%ls: hook to box on screen, median %.1f ms, min %.1f, max %.1f over %zu presses (%d missed)\n", mode,
                median, samples.front(), samples.back(), samples.size(), missed);
    return 0;
}
