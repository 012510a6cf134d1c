#include "launcher/app/launcher_app.h"

#include "launcher/resources/resource.h"
#include "launcher/ui/menu_window.h"
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

    session_.emplace();
    LauncherState& state = session_->state;
    {
        MenuWindow dlg(state);
        dlg.DoModal(nullptr);
    }
    session_.reset();
    return false;
}

int LauncherApp::ExitInstance() { return 0; }

}  // namespace tessaly
