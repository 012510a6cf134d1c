#pragma once
// The one place that turns what a remote sends (key messages, the hook's keys, WM_APPCOMMAND)
// into the shell's own actions. A new remote's button is one line here.
#include <windows.h>

namespace tessaly {

enum class RemoteAction {
    None,
    Back,       // what Esc does on the screen
    Home,       // back to the main menu from any screen
    PageUp,     // Channel up
    PageDown,   // Channel down
    Digit,      // 1..9: that row or tile
    PlayPause,
    Stop,
    Next,
    Previous,
    VolumeUp,
    VolumeDown,
    Mute,
};

struct RemoteInput {
    RemoteAction action = RemoteAction::None;
    int digit = 0;  // 1..9 with Digit
};

// A key message's virtual key. Arrows, Enter and Esc are no remote actions: every screen answers
// them itself, and they keep exactly what they do.
RemoteInput RemoteOfKey(WPARAM vk);

// WM_APPCOMMAND's lParam. A command that came from a key (FAPPCOMMAND_KEY) is None: the key
// message went through the screen's key handling already, and acting again would act twice.
RemoteInput RemoteOfAppCommand(LPARAM lp);

// The key that carries an action, so that a command runs the screens' key code for its button; 0
// for the volume actions, which are the system's (and the OSD's), and for None and Digit.
WPARAM KeyOfAction(RemoteAction action);

}  // namespace tessaly
