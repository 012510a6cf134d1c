#pragma once
// The remote-control keys the OSD program reacts to, and what its hook posts for each.
#include <windows.h>

#include <optional>

#include "osd/messages.h"
#include "win32/key_state.h"

namespace osd {

// What the volume display is run with (the wParam of the three volume messages).
constexpr WPARAM kMuteKey = 3;
constexpr WPARAM kVolumeDownKey = 4;
constexpr WPARAM kVolumeUpKey = 5;

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

// Which keys are held at the moment; the hook asks the system's asynchronous key state.
using KeyState = win32::ModifierPort;

// The message for a key going down, or nothing. Only the left Control and left Shift keys and the
// right Windows key count as modifiers.
std::optional<Posted> MapKey(DWORD vk, const KeyState& keys);

// The message for an application command (WM_APPCOMMAND's lParam) that a program in front left to
// the system: the same display as its key. Nothing for one the system made from a key press: the
// hook saw that key already.
std::optional<Posted> MapAppCommand(LPARAM lp);

// The whole decision of the hook for one low-level key event: only key-downs (plain or system),
// only for hook code 0, and nothing while a display is being prepared.
std::optional<Posted> HookAction(int code, WPARAM event, DWORD vk, bool busy, const KeyState& keys);

}  // namespace osd
