#include "osd/osd_window.h"

#include "osd/messages.h"
#include "osd/osd_keys.h"
#include "osd/resource.h"
#include "osd/startup.h"
#include "win32/handles.h"
#include "win32/instance.h"

namespace osd {
namespace {

// Keeps osdBusy set for one display, and clears it on every way out.
class BusyScope {
public:
    BusyScope() { osdBusy = 1; }
    ~BusyScope() { osdBusy = 0; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace

OsdWindow::OsdWindow(VolumeControl& volume) : win32::Dialog(IDD_VANTOSD_DIALOG), info_(volume) {
    icon_ = ::LoadIconW(win32::AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

OsdWindow::~OsdWindow() = default;

bool OsdWindow::OnHookKey(WPARAM event, const KBDLLHOOKSTRUCT& key) {
    if (auto posted = HookAction(HC_ACTION, event, key.vkCode, osdBusy != 0, keys_)) {
        ::PostMessageW(hwnd_, posted->message, posted->wParam, posted->lParam);
    }
    // The key always goes on: the system and the program in front see it too.
    return false;
}

BOOL OsdWindow::OnInitDialog() {
    hook_.Install([this](WPARAM event, const KBDLLHOOKSTRUCT& key) { return OnHookKey(event, key); });
    ::SetWindowTextW(hwnd_, kMainWindowTitle);
    WatchAppCommands();
    if (auto path = win32::ModulePath()) RegisterAutostart(*path);
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return TRUE;
}

// A remote that sends application commands instead of keys: the command reaches the program in
// front, and the system hands what it leaves unhandled to the shell hooks. Windows has a window
// take them; where that is refused (Wine), a shell hook in our library beside the program posts
// them here.
void OsdWindow::WatchAppCommands() {
    shellHookMessage_ = ::RegisterWindowMessageW(L"SHELLHOOK");
    if (::RegisterShellHookWindow(hwnd_)) {
        shellHookWindow_ = true;
        return;
    }
    const auto self = win32::ModulePath();
    if (!self) return;
    const std::wstring library = self->substr(0, self->find_last_of(L'\\') + 1) + kShellHookLibrary;
    shellLibrary_.reset(::LoadLibraryW(library.c_str()));
    if (!shellLibrary_) return;
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(shellLibrary_.get(), kShellHookProc)));
    if (proc) shellHook_.reset(::SetWindowsHookExW(WH_SHELL, proc, shellLibrary_.get(), 0));
}

void OsdWindow::StopWatchingAppCommands() {
    if (shellHookWindow_) ::DeregisterShellHookWindow(hwnd_);
    shellHookWindow_ = false;
    shellHook_.reset();
}

void OsdWindow::OnAppCommand(LPARAM lp) {
    if (auto posted = MapAppCommand(lp)) ::PostMessageW(hwnd_, posted->message, posted->wParam, posted->lParam);
}

bool OsdWindow::EnsureInfo() {
    if (!info_.created()) info_.Create(hwnd_);
    return info_.created();
}

void OsdWindow::OnClose() {
    hook_.Remove();
    StopWatchingAppCommands();
    // Closing (log-off, for one) ends the program, unlike Enter and Escape.
    if (IsModal()) {
        EndDialog(IDCANCEL);
    } else {
        Destroy();
    }
}

void OsdWindow::PaintIconic() {
    win32::PaintDc paint(hwnd_);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int cx = ::GetSystemMetrics(SM_CXICON);
    const int cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(paint.get(), (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, icon_);
}

std::optional<LRESULT> OsdWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_WINDOWPOSCHANGING:
            // Never on screen, not even for a frame: the template and the modal run both show the
            // window, and a hide after the fact still flashes it in the corner. Never active
            // either: the program in front keeps the keyboard (shown, it would take it).
            reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~SWP_SHOWWINDOW;
            reinterpret_cast<WINDOWPOS*>(lp)->flags |= SWP_NOACTIVATE;
            return 0;
        case WM_NCPAINT:
            ::ShowWindow(hwnd_, SW_HIDE);
            return 0;
        case WM_PAINT:
            if (!::IsIconic(hwnd_)) return std::nullopt;
            PaintIconic();
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_);
        case kMsgAppCommand:
            OnAppCommand(lp);
            return 0;
        case kMsgPicture:
            if (osdBusy) return 0;
            {
                BusyScope busy;
                if (EnsureInfo()) info_.ShowPicture(static_cast<unsigned>(lp));
            }
            return 0;
        case kMsgMute:
        case kMsgVolumeUp:
        case kMsgVolumeDown:
            if (osdBusy) return 0;
            {
                BusyScope busy;
                // Each message means its own key, whatever its wParam says.
                const WPARAM key = msg == kMsgMute ? kMuteKey : msg == kMsgVolumeUp ? kVolumeUpKey : kVolumeDownKey;
                if (EnsureInfo()) info_.ShowVolume(key);
            }
            return 0;
        default:
            if (msg == shellHookMessage_ && shellHookMessage_ && wp == HSHELL_APPCOMMAND) {
                OnAppCommand(lp);
                return 0;
            }
            return std::nullopt;
    }
}

}  // namespace osd
