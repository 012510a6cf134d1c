#pragma once
#include "launcher/model/launch_actions.h"

namespace tessaly {

// The running system: CreateProcessW, the shell's open verb, SetLineVolume, a thread timer for
// the window wait, FindWindowW-like search and SetWindowPlacement.
LaunchPorts SystemLaunchPorts();
WindowWait::Ports SystemWindowPorts();

}  // namespace tessaly
