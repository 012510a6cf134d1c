#pragma once
// How a screen takes a remote's button: the forms that stand for one of the screen's own keys run
// that key's code, the rest come back as an action for the screen to do.
#include <windows.h>

#include <optional>

#include "launcher/model/remote_input.h"

namespace tessaly {

// A key message of a remote. Back does what Esc does: with backIsEscape its key is rewritten in msg
// to Esc, so the screen's own Esc code runs unchanged. The action on a key-down, None otherwise.
RemoteInput ReadRemoteKey(MSG& msg, bool backIsEscape = true);

// WM_APPCOMMAND at a screen: the command is pressed and released as its button's key through the
// screen's own key handling. Returns the window procedure's answer, or nullopt for a command that
// is not ours (the default handling passes it on, to the system and the OSD).
std::optional<LRESULT> PlayAppCommand(HWND screen, LPARAM lp);

// Home goes on to the window the screen was opened over, once this one has closed.
void PassHomeOn(HWND screen);

}  // namespace tessaly
