#include "launcher/model/remote_input.h"

namespace tessaly {
namespace {

RemoteInput Act(RemoteAction a) { return RemoteInput{a, 0}; }

}  // namespace

RemoteInput RemoteOfKey(WPARAM vk) {
    if (vk >= '1' && vk <= '9') return RemoteInput{RemoteAction::Digit, static_cast<int>(vk - '0')};
    if (vk >= VK_NUMPAD1 && vk <= VK_NUMPAD9)
        return RemoteInput{RemoteAction::Digit, static_cast<int>(vk - VK_NUMPAD0)};
    switch (vk) {
        case VK_BROWSER_BACK: return Act(RemoteAction::Back);
        case VK_BROWSER_HOME: return Act(RemoteAction::Home);
        case VK_PRIOR: return Act(RemoteAction::PageUp);
        case VK_NEXT: return Act(RemoteAction::PageDown);
        case VK_MEDIA_PLAY_PAUSE: return Act(RemoteAction::PlayPause);
        case VK_MEDIA_STOP: return Act(RemoteAction::Stop);
        case VK_MEDIA_NEXT_TRACK: return Act(RemoteAction::Next);
        case VK_MEDIA_PREV_TRACK: return Act(RemoteAction::Previous);
        case VK_VOLUME_UP: return Act(RemoteAction::VolumeUp);
        case VK_VOLUME_DOWN: return Act(RemoteAction::VolumeDown);
        case VK_VOLUME_MUTE: return Act(RemoteAction::Mute);
        default: return {};
    }
}

RemoteInput RemoteOfAppCommand(LPARAM lp) {
    if (GET_DEVICE_LPARAM(lp) == FAPPCOMMAND_KEY) return {};
    switch (GET_APPCOMMAND_LPARAM(lp)) {
        case APPCOMMAND_BROWSER_BACKWARD: return Act(RemoteAction::Back);
        case APPCOMMAND_BROWSER_HOME: return Act(RemoteAction::Home);
        case APPCOMMAND_MEDIA_CHANNEL_UP: return Act(RemoteAction::PageUp);
        case APPCOMMAND_MEDIA_CHANNEL_DOWN: return Act(RemoteAction::PageDown);
        case APPCOMMAND_MEDIA_PLAY_PAUSE:
        case APPCOMMAND_MEDIA_PLAY:
        case APPCOMMAND_MEDIA_PAUSE: return Act(RemoteAction::PlayPause);
        case APPCOMMAND_MEDIA_STOP: return Act(RemoteAction::Stop);
        case APPCOMMAND_MEDIA_NEXTTRACK: return Act(RemoteAction::Next);
        case APPCOMMAND_MEDIA_PREVIOUSTRACK: return Act(RemoteAction::Previous);
        case APPCOMMAND_VOLUME_UP: return Act(RemoteAction::VolumeUp);
        case APPCOMMAND_VOLUME_DOWN: return Act(RemoteAction::VolumeDown);
        case APPCOMMAND_VOLUME_MUTE: return Act(RemoteAction::Mute);
        default: return {};
    }
}

WPARAM KeyOfAction(RemoteAction action) {
    switch (action) {
        case RemoteAction::Back: return VK_BROWSER_BACK;
        case RemoteAction::Home: return VK_BROWSER_HOME;
        case RemoteAction::PageUp: return VK_PRIOR;
        case RemoteAction::PageDown: return VK_NEXT;
        case RemoteAction::PlayPause: return VK_MEDIA_PLAY_PAUSE;
        case RemoteAction::Stop: return VK_MEDIA_STOP;
        case RemoteAction::Next: return VK_MEDIA_NEXT_TRACK;
        case RemoteAction::Previous: return VK_MEDIA_PREV_TRACK;
        default: return 0;
    }
}

}  // namespace tessaly
