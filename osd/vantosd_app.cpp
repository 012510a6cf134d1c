#include "osd/vantosd_app.h"

#include <windows.h>
#include <commctrl.h>

#include "common/audio/line_volume.h"
#include "osd/startup.h"
#include "osd/system_volume.h"
#include "osd/osd_window.h"

namespace osd {

int VantosdApp::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);

    marker_.emplace(win32::ApplicationName(L"Vantosd"));
    if (!marker_->first()) return 0;

    // Core Audio and the picture loader both need COM on this, the only, thread.
    win32::ComInit com;
    SystemVolume volume(audio::WindowsMajorVersion());
    OsdWindow dialog(volume);
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace osd
