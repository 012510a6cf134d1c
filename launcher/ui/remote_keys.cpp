#include "launcher/ui/remote_keys.h"

#include "win32/window.h"

namespace tessaly {
namespace {

void OfferKey(HWND target, UINT message, WPARAM vk, LPARAM lp) {
    MSG m{};
    m.hwnd = target;
    m.message = message;
    m.wParam = vk;
    m.lParam = lp;
    m.time = ::GetMessageTime();
    if (!win32::Window::WalkPreTranslate(m)) ::DispatchMessageW(&m);
}

}  // namespace

RemoteInput ReadRemoteKey(MSG& msg, bool backIsEscape) {
    const UINT m = msg.message;
    if (m != WM_KEYDOWN && m != WM_KEYUP && m != WM_SYSKEYDOWN && m != WM_SYSKEYUP) return {};
    const RemoteInput in = RemoteOfKey(msg.wParam);
    if (backIsEscape && in.action == RemoteAction::Back) msg.wParam = VK_ESCAPE;
    return m == WM_KEYDOWN ? in : RemoteInput{};
}

std::optional<LRESULT> PlayAppCommand(HWND screen, LPARAM lp) {
    const WPARAM vk = KeyOfAction(RemoteOfAppCommand(lp).action);
    if (!vk) return std::nullopt;
    // Where the button's key would have gone: the focus when it is ours, else the screen.
    HWND focus = ::GetFocus();
    HWND target = focus && (focus == screen || ::IsChild(screen, focus)) ? focus : screen;
    OfferKey(target, WM_KEYDOWN, vk, 1);
    if (::IsWindow(target)) OfferKey(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    return TRUE;
}

void PassHomeOn(HWND screen) {
    HWND below = ::GetWindow(screen, GW_OWNER);
    if (!below && (::GetWindowLongPtrW(screen, GWL_STYLE) & WS_CHILD)) below = ::GetParent(screen);
    if (!below) return;
    ::PostMessageW(below, WM_APPCOMMAND, reinterpret_cast<WPARAM>(below),
                   MAKELPARAM(0, APPCOMMAND_BROWSER_HOME | FAPPCOMMAND_OEM));
}

}  // namespace tessaly
