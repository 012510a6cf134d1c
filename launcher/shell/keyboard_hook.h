#pragma once
#include <windows.h>

#include "launcher/shell/menu_logic.h"

namespace tessaly {

// Installs the system-wide low-level keyboard hook on this (the user-interface) thread. It stays
// in force for the life of the process.
bool InstallKeyboardHook(HINSTANCE module);

// The hook procedure's work for one event; exposed so tests can feed events and modifiers.
LRESULT HandleHookEvent(int code, WPARAM message, const KBDLLHOOKSTRUCT& event,
                        const ModifierPort& modifiers);

// GetAsyncKeyState of the physical key.
class AsyncKeyState : public ModifierPort {
public:
    bool IsHeld(int vk) const override { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }
};

}  // namespace tessaly
