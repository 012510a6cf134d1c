#include "launcher/shell/keyboard_hook.h"

#include "launcher/shell/app_state.h"
#include "launcher/shell/main_dialog.h"

namespace tessaly {
namespace {

HHOOK g_hook = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM lp) {
    if (code != HC_ACTION) return ::CallNextHookEx(g_hook, code, message, lp);
    static const AsyncKeyState modifiers;
    return HandleHookEvent(code, message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp), modifiers);
}

}  // namespace

bool InstallKeyboardHook(HINSTANCE module) {
    if (!g_hook) g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, module, 0);
    return g_hook != nullptr;
}

LRESULT HandleHookEvent(int code, WPARAM message, const KBDLLHOOKSTRUCT& event,
                        const ModifierPort& modifiers) {
    AppState& s = State();
    HookResult r = ClassifyHookKey(static_cast<UINT>(message), event.vkCode, s.karaokePanelShown, modifiers);
    if (r.sendToPanel && s.karaokePanelWindow) {
        ::SendMessageW(s.karaokePanelWindow, kMsgPanelKey, event.vkCode, 0);
    }
    if (r.postToggle && s.mainWindowHandle) {
        ::PostMessageW(s.mainWindowHandle, kMsgTogglePanel, 0, 0);
    }
    if (r.swallow) return 1;
    return ::CallNextHookEx(g_hook, code, message, reinterpret_cast<LPARAM>(&event));
}

}  // namespace tessaly
