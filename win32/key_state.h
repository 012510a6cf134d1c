#pragma once
// The keys held at this moment, as the low-level hooks of both programs ask for them. Tests stand
// in for the keyboard with their own port.
#include <windows.h>

namespace win32 {

class ModifierPort {
public:
    virtual ~ModifierPort() = default;
    virtual bool IsHeld(int vk) const = 0;
};

// The high bit of the physical key's asynchronous state.
class AsyncKeyState final : public ModifierPort {
public:
    bool IsHeld(int vk) const override { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }
};

}  // namespace win32
