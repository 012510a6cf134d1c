// browser_bench [runs]: the media browser over a folder of 10,000 video files and 1,000
// sub-folders.
//  - Enter on the folder until its first page is painted, against the folder listing alone.
//  - Down until the moved highlight is painted, against a bare repaint of one row.
// Prints medians and ratios; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "launcher/ui/browser_window.h"
#include "launcher/testing/recording_player.h"

#include "bench/clock.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kFolders = 1000;

using bench::Now;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::wstring MakeTree() {
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring root = std::wstring(temp) + L"tessaly-bench-browser-" +
                              std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(root.c_str(), nullptr);
    wchar_t name[32];
    for (int i = 0; i < kFiles; ++i) {
        std::swprintf(name, 32, L"\\clip%05d.avi", i);
        win32::Handle f(::CreateFileW((root + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    for (int i = 0; i < kFolders; ++i) {
        std::swprintf(name, 32, L"\\folder%04d", i);
        ::CreateDirectoryW((root + name).c_str(), nullptr);
    }
    return root;
}

void RemoveTree(const std::wstring& root) {
    wchar_t name[32];
    for (int i = 0; i < kFiles; ++i) {
        std::swprintf(name, 32, L"\\clip%05d.avi", i);
        ::DeleteFileW((root + name).c_str());
    }
    for (int i = 0; i < kFolders; ++i) {
        std::swprintf(name, 32, L"\\folder%04d", i);
        ::RemoveDirectoryW((root + name).c_str());
    }
    ::RemoveDirectoryW(root.c_str());
}

// The tree is the only drive.
class TreeDrive : public tessaly::ScannerFolderSource {
public:
    explicit TreeDrive(std::wstring root) : root_(std::move(root)) {}
    std::vector<std::wstring> DriveNames() override { return {root_}; }

private:
    std::wstring root_;
};

void Pump() { win32::DispatchQueuedMessages(); }

void Key(HWND hwnd, WPARAM vk) {
    MSG msg{hwnd, WM_KEYDOWN, vk, 0, 0, {}};
    if (!win32::Window::WalkPreTranslate(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Paints whatever is invalid now, the rows included.
void PaintNow(HWND hwnd) { ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

}  // namespace

int main(int argc, char** argv) {
    const int runs = std::max(5, argc > 1 ? std::atoi(argv[1]) : 9);
    win32::GdiplusSession gdiplus;
    std::wprintf(L"creating %d files and %d folders...\n", kFiles, kFolders);
    const std::wstring root = MakeTree();

    tessaly::RecordingPlayer player;
    tessaly::BrowserWindow browser(player, {}, nullptr, std::make_unique<TreeDrive>(root));
    browser.SetMode(tessaly::MediaKind::Video);
    if (!browser.Create(nullptr)) return 1;
    HWND hwnd = browser.hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    Pump();

    TreeDrive listingOnly(root);
    std::vector<std::wstring> folders, files;
    listingOnly.List(root + L"\\", folders, files);  // warm the caches
    std::vector<double> listing, enter, down, floor;
    for (int i = 0; i < runs; ++i) {
        double t = Now();
        listingOnly.List(root + L"\\", folders, files);
        listing.push_back(Now() - t);

        PaintNow(hwnd);
        t = Now();
        Key(hwnd, VK_RETURN);  // the drive row: into the tree
        PaintNow(hwnd);
        enter.push_back(Now() - t);

        for (int step = 0; step < 5; ++step) {
            t = Now();
            Key(hwnd, VK_DOWN);
            PaintNow(hwnd);
            down.push_back(Now() - t);

            HWND row = browser.row(0).hwnd();
            t = Now();
            ::InvalidateRect(row, nullptr, FALSE);
            PaintNow(row);
            floor.push_back(Now() - t);
        }
        Key(hwnd, VK_LEFT);
        Key(hwnd, VK_RETURN);  // "..": back to the drive list
        Pump();
    }
    const std::size_t shown = browser.model().items().size();
    browser.Destroy();
    Pump();
    RemoveTree(root);

    const double listingMs = Median(listing), enterMs = Median(enter);
    const double downMs = Median(down), floorMs = Median(floor);
    std::wprintf(L"entries listed: %zu files, %zu folders\n", files.size(), folders.size());
    std::wprintf(L"median of %d runs: listing %.1f ms, Enter to first page painted %.1f ms\n", runs,
                 listingMs, enterMs);
    std::wprintf(L"ratio Enter / listing: %.2f\n", enterMs / listingMs);
    std::wprintf(L"median of %d moves: Down to highlight painted %.2f ms (one frame: 16.7 ms), "
                 L"bare row repaint %.2f ms\n",
                 runs * 5, downMs, floorMs);
    std::wprintf(L"ratio Down / bare repaint: %.2f\n", downMs / floorMs);
    return shown > 0 && files.size() == static_cast<std::size_t>(kFiles) ? 0 : 1;
}
