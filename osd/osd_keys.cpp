#include "osd/osd_keys.h"

namespace osd {
namespace {

Posted Picture(LPARAM code) { return {kMsgPicture, 2, code}; }

}  // namespace

std::optional<Posted> MapKey(DWORD vk, const KeyState& keys) {
    const bool ctrl = keys.IsHeld(VK_LCONTROL);
    const bool shift = keys.IsHeld(VK_LSHIFT);
    switch (vk) {
        case 'M':
            if (ctrl) return Picture(shift ? 0 : 2);
            break;
        case 'I':
            if (ctrl) return Picture(1);
            break;
        case 'E':
            if (ctrl) return Picture(3);
            break;
        case 'B':
            if (ctrl && shift) return Picture(4);
            break;
        case 'F':
            if (ctrl && shift) return Picture(6);
            break;
        case VK_MEDIA_PLAY_PAUSE: return Picture(5);
        case VK_MEDIA_PREV_TRACK: return Picture(7);
        case VK_MEDIA_STOP: return Picture(8);
        case VK_MEDIA_NEXT_TRACK: return Picture(9);
        case VK_BROWSER_BACK: return Picture(12);
        case VK_BROWSER_FORWARD: return Picture(13);
        case VK_OEM_PLUS:
            if (keys.IsHeld(VK_RWIN)) return Picture(14);
            break;
        case VK_VOLUME_MUTE: return Posted{kMsgMute, kMuteKey, 0};
        case VK_VOLUME_UP: return Posted{kMsgVolumeUp, kVolumeUpKey, 0};
        case VK_VOLUME_DOWN: return Posted{kMsgVolumeDown, kVolumeDownKey, 0};
        default: break;
    }
    return std::nullopt;
}

std::optional<Posted> MapAppCommand(LPARAM lp) {
    if (GET_DEVICE_LPARAM(lp) == FAPPCOMMAND_KEY) return std::nullopt;
    struct NoneHeld final : KeyState {
        bool IsHeld(int) const override { return false; }
    } none;
    switch (GET_APPCOMMAND_LPARAM(lp)) {
        case APPCOMMAND_VOLUME_MUTE: return MapKey(VK_VOLUME_MUTE, none);
        case APPCOMMAND_VOLUME_UP: return MapKey(VK_VOLUME_UP, none);
        case APPCOMMAND_VOLUME_DOWN: return MapKey(VK_VOLUME_DOWN, none);
        case APPCOMMAND_MEDIA_PLAY_PAUSE:
        case APPCOMMAND_MEDIA_PLAY:
        case APPCOMMAND_MEDIA_PAUSE: return MapKey(VK_MEDIA_PLAY_PAUSE, none);
        case APPCOMMAND_MEDIA_PREVIOUSTRACK: return MapKey(VK_MEDIA_PREV_TRACK, none);
        case APPCOMMAND_MEDIA_STOP: return MapKey(VK_MEDIA_STOP, none);
        case APPCOMMAND_MEDIA_NEXTTRACK: return MapKey(VK_MEDIA_NEXT_TRACK, none);
        case APPCOMMAND_BROWSER_BACKWARD: return MapKey(VK_BROWSER_BACK, none);
        case APPCOMMAND_BROWSER_FORWARD: return MapKey(VK_BROWSER_FORWARD, none);
        default: return std::nullopt;
    }
}

std::optional<Posted> HookAction(int code, WPARAM event, DWORD vk, bool busy, const KeyState& keys) {
    if (code != HC_ACTION || busy) return std::nullopt;
    if (event != WM_KEYDOWN && event != WM_SYSKEYDOWN) return std::nullopt;
    return MapKey(vk, keys);
}

}  // namespace osd
