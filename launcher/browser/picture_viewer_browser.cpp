// The real browser in picture mode over one folder shown as the only drive, opening the real
// picture viewer, for the scenario that views pictures by keys as a user would
// (e2e/launcher/viewer.sh):   picture_viewer_browser.exe FOLDER   prints "closed" when it ends.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "launcher/browser/browser_dialog.h"
#include "launcher/browser/picture_viewer.h"
#include "launcher/browser/recording_player.h"
#include "launcher/browser/scanner_source.h"
#include "win32/handles.h"
#include "win32/key_state.h"
#include "win32/window.h"

namespace {

class OneDrive : public tessaly::ScannerFolderSource {
public:
    explicit OneDrive(std::wstring root) : root_(std::move(root)) {}
    std::vector<std::wstring> DriveNames() override { return {root_}; }

private:
    std::wstring root_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    win32::SetAppInstance(::GetModuleHandleW(nullptr));
    win32::OleInit ole;
    win32::GdiplusSession gdiplus;
    win32::AsyncKeyState keys;
    {
        tessaly::RecordingPlayer player;
        tessaly::BrowserHooks hooks;
        hooks.showPicture = tessaly::ShowPictureModal;
        tessaly::CMyOPenFileDialog browser(player, hooks, &keys,
                                           std::make_unique<OneDrive>(argv[1]));
        browser.SetMode(2);  // pictures
        browser.DoModal(nullptr);
    }
    std::printf("closed\n");
    std::fflush(stdout);
    return 0;
}
