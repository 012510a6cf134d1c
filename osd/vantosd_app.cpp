#include "osd/vantosd_app.h"

#include <windows.h>
#include <commctrl.h>

#include "launcher/audio/line_volume.h"
#include "osd/startup.h"
#include "osd/system_volume.h"
#include "osd/vantosd_dlg.h"

namespace osd {

int CVantosdApp::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);

    marker_.emplace(win32::ApplicationName(L"Vantosd"));
    if (!marker_->first()) return 0;

    // Core Audio and the picture loader both need COM on this, the only, thread.
    win32::ComInit com;
    SystemVolume volume(audio::WindowsMajorVersion());
    CVantosdDlg dialog(volume);
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace osd
