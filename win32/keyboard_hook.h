#pragma once
// The system-wide low-level keyboard hook, installed on the calling (user-interface) thread for
// the life of the object. One per process.
#include <windows.h>

#include <functional>

#include "win32/handles.h"

namespace win32 {

class KeyboardHook {
public:
    // Sees every key event (hook code HC_ACTION); true swallows it, false passes it on.
    using Handler = std::function<bool(WPARAM message, const KBDLLHOOKSTRUCT& event)>;

    KeyboardHook() = default;
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // False when the system refuses the hook or another one of ours is installed.
    bool Install(Handler handler, HINSTANCE module = nullptr);
    void Remove();
    bool installed() const { return static_cast<bool>(hook_); }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM message, LPARAM lp);

    HookHandle hook_;
    Handler handler_;
};

}  // namespace win32
