// The real browser with the real player over one folder shown as the only drive, for the
// scenario that plays media by keys as a user would (e2e/launcher/player_browser.sh).
//   player_browser.exe MODE FOLDER    (MODE 1 video, 2 music); prints "closed" when it ends.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "launcher/browser/browser_dialog.h"
#include "launcher/browser/player_media.h"
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
    if (argc < 3) return 2;
    win32::SetAppInstance(::GetModuleHandleW(nullptr));
    win32::OleInit ole;
    win32::GdiplusSession gdiplus;
    win32::AsyncKeyState keys;
    {
        tessaly::CMyOPenFileDialog browser(tessaly::TheMediaPlayer(), {}, &keys,
                                           std::make_unique<OneDrive>(argv[2]));
        browser.SetMode(_wtoi(argv[1]) - 1);
        browser.DoModal(nullptr);
    }
    std::printf("closed\n");
    std::fflush(stdout);
    return 0;
}
