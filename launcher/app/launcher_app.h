#pragma once
#include <windows.h>

#include <optional>

#include "launcher/ui/launcher_state.h"
#include "win32/handles.h"
#include "win32/instance.h"

namespace tessaly {

// The launcher's application object: refuses a second copy, brings up the control container, and
// runs the main window modally (which brings up GDI+ after its first frame). The process ends when
// that window closes.
class LauncherApp {
public:
    explicit LauncherApp(HINSTANCE instance);
    int Run();

private:
    // Everything that lives while the main window runs, in the order it must end: the shared
    // state (with its decoded pictures and, last, GDI+) before OLE.
    struct Session {
        win32::OleInit ole;  // the player control lives in a dialog template; also OleLoadPicture
        LauncherState state;
    };

    bool InitInstance();
    int ExitInstance();

    HINSTANCE instance_;
    std::optional<win32::SingleInstance> marker_;  // kept until the process ends
    std::optional<Session> session_;
};

}  // namespace tessaly
