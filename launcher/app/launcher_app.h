#pragma once
#include <windows.h>

#include <optional>

#include "win32/handles.h"
#include "win32/instance.h"

namespace tessaly {

// The launcher's application object: refuses a second copy, brings up the control container, and
// runs the main window modally (which owns the screens and brings up GDI+ after its first frame).
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
