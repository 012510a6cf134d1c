#pragma once
// The remote-control keys the OSD program reacts to, and what its hook posts for each.
#include <windows.h>

#include <optional>

namespace osd {

// Messages from the hook to the main window.
constexpr UINT kMsgPicture = WM_USER + 96;     // wParam 2, lParam = picture code
constexpr UINT kMsgMute = WM_USER + 97;        // wParam 3
constexpr UINT kMsgVolumeUp = WM_USER + 98;    // wParam 5
constexpr UINT kMsgVolumeDown = WM_USER + 99;  // wParam 4

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
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsDown(int vk) const = 0;
};

class AsyncKeyState final : public KeyState {
public:
    bool IsDown(int vk) const override { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }
};

// The message for a key going down, or nothing. Only the left Control and left Shift keys and the
// right Windows key count as modifiers.
std::optional<Posted> MapKey(DWORD vk, const KeyState& keys);

// The whole decision of the hook for one low-level key event: only key-downs (plain or system),
// only for hook code 0, and nothing while a display is being prepared.
std::optional<Posted> HookAction(int code, WPARAM event, DWORD vk, bool busy, const KeyState& keys);

}  // namespace osd
