#include "launcher/shell/app.h"

#include "launcher/resource.h"
#include "launcher/shell/main_dialog.h"
#include "win32/window.h"

namespace tessaly {

CP01App::CP01App(HINSTANCE instance) : instance_(instance) { win32::SetAppInstance(instance); }

int CP01App::Run() {
    InitInstance();
    return ExitInstance();
}

bool CP01App::InitInstance() {
    marker_.emplace();
    if (!marker_->first()) return false;  // a copy runs already, or no marker: end silently

    session_.emplace();
    LauncherState& state = session_->state;
    {
        CP01Dlg dlg(state);
        dlg.DoModal(nullptr);
    }
    session_.reset();
    return false;
}

int CP01App::ExitInstance() { return 0; }

}  // namespace tessaly
