#pragma once
#include <windows.h>

#include <optional>

#include "win32/handles.h"
#include "win32/instance.h"

namespace tessaly {

// The launcher's application object: refuses a second copy, brings up the control container, and
// runs the launcher shell (which owns the screens and the services) until its menu closes.
// The process ends when that window closes.
class LauncherApp {
public:
    explicit LauncherApp(HINSTANCE instance);
    int Run();

private:
    bool InitInstance();
    int ExitInstance();

    HINSTANCE instance_;
    std::optional<win32::SingleInstance> marker_;  // kept until the process ends
};

}  // namespace tessaly
