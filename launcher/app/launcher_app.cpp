#include "launcher/app/launcher_app.h"

#include "launcher/resources/resource.h"
#include "launcher/app/launcher_shell.h"
#include "win32/window.h"

namespace tessaly {

LauncherApp::LauncherApp(HINSTANCE instance) : instance_(instance) { win32::SetAppInstance(instance); }

int LauncherApp::Run() {
    InitInstance();
    return ExitInstance();
}

bool LauncherApp::InitInstance() {
    marker_.emplace();
    if (!marker_->first()) return false;  // a copy runs already, or no marker: end silently

    // The player control lives in a dialog template; also OleLoadPicture. The window and its
    // pictures end before OLE.
    win32::OleInit ole;
    LauncherShell shell;
    shell.Run();
    return false;
}

int LauncherApp::ExitInstance() { return 0; }

}  // namespace tessaly
