#include "win32/keyboard_hook.h"

namespace win32 {
namespace {

// The hook procedure has no context of its own.
KeyboardHook* g_current = nullptr;

}  // namespace

KeyboardHook::~KeyboardHook() { Remove(); }

bool KeyboardHook::Install(Handler handler, HINSTANCE module) {
    if (hook_) return true;
    if (g_current) return false;
    handler_ = std::move(handler);
    g_current = this;
    hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, Proc, module ? module : ::GetModuleHandleW(nullptr), 0));
    if (!hook_) g_current = nullptr;
    return static_cast<bool>(hook_);
}

void KeyboardHook::Remove() {
    hook_.reset();
    if (g_current == this) g_current = nullptr;
}

LRESULT CALLBACK KeyboardHook::Proc(int code, WPARAM message, LPARAM lp) {
    KeyboardHook* self = g_current;
    if (code == HC_ACTION && lp && self && self->handler_ &&
        self->handler_(message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp))) {
        return 1;
    }
    return ::CallNextHookEx(self ? self->hook_.get() : nullptr, code, message, lp);
}

}  // namespace win32
