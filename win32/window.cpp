#include "win32/window.h"

#include <unordered_map>

#include "win32/handles.h"

namespace win32 {
namespace {

// Only the user-interface thread creates windows of ours.
std::unordered_map<HWND, Window*>& Registry() {
    static std::unordered_map<HWND, Window*> map;
    return map;
}

HINSTANCE g_instance = nullptr;

bool IsInputMessage(UINT msg) {
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

}  // namespace

HINSTANCE AppInstance() { return g_instance ? g_instance : ::GetModuleHandleW(nullptr); }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : MAX_PATH);
    size_t slash = s.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : s.substr(0, slash);
}

Window::~Window() { Unregister(); }

bool Window::PreTranslateMessage(MSG&) { return false; }

Window* Window::FromHandle(HWND hwnd) {
    auto it = Registry().find(hwnd);
    return it == Registry().end() ? nullptr : it->second;
}

bool Window::WalkPreTranslate(MSG& msg) {
    // GetParent also climbs from an owned pop-up to its owner, so a modal window's keys pass
    // the main window too, after the modal window itself has declined them.
    for (HWND h = msg.hwnd; h != nullptr; h = ::GetParent(h)) {
        if (Window* w = FromHandle(h)) {
            if (w->PreTranslateMessage(msg)) return true;
        }
    }
    return false;
}

void Window::Register(HWND hwnd) {
    hwnd_ = hwnd;
    Registry()[hwnd] = this;
}

void Window::Unregister() {
    if (hwnd_) {
        auto it = Registry().find(hwnd_);
        if (it != Registry().end() && it->second == this) Registry().erase(it);
    }
    hwnd_ = nullptr;
}

// ---- Dialog ----

Dialog::~Dialog() { Destroy(); }

bool Dialog::Create(HWND parent) {
    if (hwnd_) return true;
    modal_ = false;
    HWND h = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    return h != nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (hwnd_) return -1;
    modal_ = true;
    ending_ = false;
    result_ = -1;
    HWND h = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId_), owner, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    if (!h) {
        modal_ = false;
        return -1;
    }
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    if (!ending_) ::ShowWindow(h, SW_SHOW);

    MSG msg;
    // A window destroyed without EndDialog ends the run too, or nothing could ever end it.
    while (!ending_ && hwnd_) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // keep WM_QUIT for outer loops
            break;
        }
        if (got < 0) break;
        if (!WalkPreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (owner && hwnd_ && ::GetActiveWindow() == hwnd_) ::SetActiveWindow(owner);
    Destroy();
    modal_ = false;
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    if (modal_) {
        ending_ = true;
        // Wake the loop in case nothing else is queued.
        if (hwnd_) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    } else if (hwnd_) {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

void Dialog::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY unregisters
}

bool Dialog::StandardDialogKeys(MSG& msg) {
    if (!hwnd_ || !IsInputMessage(msg.message)) return false;
    return ::IsDialogMessageW(hwnd_, &msg) != FALSE;
}

bool Dialog::PreTranslateMessage(MSG& msg) { return StandardDialogKeys(msg); }

std::optional<LRESULT> Dialog::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void Dialog::OnClose() {
    if (modal_) {
        OnCancel();
    } else {
        Destroy();
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lp);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->Register(hwnd);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR r = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->Unregister();
        self->OnDestroyed();
    }
    return r;
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) return OnInitDialog();
    std::optional<LRESULT> r = OnMessage(msg, wp, lp);
    if (r) {
        switch (msg) {
            // These return their value straight from the dialog procedure.
            case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
            case WM_CHARTOITEM: case WM_QUERYDRAGICON:
                return static_cast<INT_PTR>(*r);
            default:
                ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *r);
                return TRUE;
        }
    }
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK && HIWORD(wp) == BN_CLICKED) { OnOK(); return TRUE; }
            if (LOWORD(wp) == IDCANCEL && HIWORD(wp) == BN_CLICKED) { OnCancel(); return TRUE; }
            break;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        default:
            break;
    }
    return FALSE;
}

// ---- Control ----

Control::~Control() { Destroy(); }

bool Control::Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                     HWND parent, int id, DWORD exStyle) {
    if (hwnd_) return false;
    bool visible = (style & WS_VISIBLE) != 0;
    HWND h = ::CreateWindowExW(exStyle, className, text, (style & ~WS_VISIBLE) | WS_CHILD,
                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               AppInstance(), nullptr);
    if (!h) return false;
    Register(h);
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    OnCreated();
    if (visible && hwnd_) ::ShowWindow(hwnd_, SW_SHOWNA);
    return hwnd_ != nullptr;
}

void Control::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT Control::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return ::CallWindowProcW(original_, hwnd_, msg, wp, lp);
}

LRESULT PaintedControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PaintDc paint(hwnd_);
            Paint(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wp));
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<Control*>(FromHandle(hwnd));
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        self->Unregister();
        return ::CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    return self->WindowProc(msg, wp, lp);
}

// ---- CustomWindow ----

CustomWindow::~CustomWindow() { Destroy(); }

bool CustomWindow::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                          const RECT& rect, HWND parent) {
    if (hwnd_) return false;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(AppInstance(), className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = StaticProc;
        wc.hInstance = AppInstance();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        if (!::RegisterClassExW(&wc)) return false;
    }
    bool visible = (style & WS_VISIBLE) != 0;
    HWND h = ::CreateWindowExW(exStyle, className, title, style & ~WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, AppInstance(), this);
    if (!h) return false;
    OnCreated();
    if (visible && hwnd_) ::ShowWindow(hwnd_, (style & WS_CHILD) ? SW_SHOWNA : SW_SHOWNOACTIVATE);
    return hwnd_ != nullptr;
}

void CustomWindow::Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY unregisters
}

LRESULT CustomWindow::Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

LRESULT CustomWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PaintDc paint(hwnd_);
            OnPaint(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            OnPaint(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wp));
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

LRESULT CALLBACK CustomWindow::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* created = reinterpret_cast<CustomWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (created) created->Register(hwnd);
    }
    auto* self = static_cast<CustomWindow*>(FromHandle(hwnd));
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT r = ::DefWindowProcW(hwnd, msg, wp, lp);
        self->Unregister();
        self->OnDestroyed();
        return r;
    }
    return self->WindowProc(msg, wp, lp);
}

void DispatchQueuedMessages() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (!Window::WalkPreTranslate(m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
}

}  // namespace win32
