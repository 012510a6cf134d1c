// pageturn_bench [runs]: figures for the page-turn and the picture viewer, each against a floor
// measured in the same run (median of runs):
//  1. screen-transition frames per second over a full-screen window, frames back to back, against
//     a bare loop of the same two full-screen block copies per frame, each frame handed to the
//     screen the same way;
//  2. opening a 12-megapixel JPEG in the viewer to its first frame, against decoding the file
//     alone with GDI+.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using std::max;
using std::min;
#include <gdiplus.h>

#include "launcher/ui/page_turn.h"
#include "launcher/ui/picture_viewer.h"
#include "common/skin/skin_image.h"
#include "win32/handles.h"
#include "win32/window.h"

#include "bench/clock.h"

namespace {

using bench::Now;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void Pump() { win32::DispatchQueuedMessages(); }

HWND FullScreenWindow(SIZE screen) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PageTurnBench";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, screen.cx,
                                  screen.cy, nullptr, nullptr, wc.hInstance, nullptr);
    Pump();
    return hwnd;
}

// A photograph-like 4000 x 3000 JPEG: gradients and noise, so the decoder has real work.
bool WritePhoto(const std::wstring& path) {
    const int w = 4000;
    const int h = 3000;
    Gdiplus::Bitmap bitmap(w, h, PixelFormat24bppRGB);
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) !=
        Gdiplus::Ok)
        return false;
    unsigned seed = 12345;
    for (int y = 0; y < h; ++y) {
        BYTE* row = static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 31);
            row[x * 3 + 0] = static_cast<BYTE>((x * 255 / w + noise) & 255);
            row[x * 3 + 1] = static_cast<BYTE>((y * 255 / h + noise) & 255);
            row[x * 3 + 2] = static_cast<BYTE>(((x + y) * 255 / (w + h) + noise) & 255);
        }
    }
    bitmap.UnlockBits(&data);
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/jpeg") == 0) {
            return bitmap.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    return false;
}

// Decoding alone: every pixel of the file in memory.
double DecodeOnly(const std::wstring& path) {
    const double t0 = Now();
    Gdiplus::Bitmap bitmap(path.c_str());
    Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()),
                      static_cast<INT>(bitmap.GetHeight()));
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) ==
        Gdiplus::Ok) {
        bitmap.UnlockBits(&data);
    }
    return Now() - t0;
}

// The viewer opened on the file, to its first frame on the screen.
double ViewerFirstFrame(const std::wstring& folder, const std::wstring& name) {
    double first = -1;
    const double t0 = Now();
    tessaly::PictureViewer viewer;
    tessaly::TurnOptions options;
    options.frameIntervalMs = 0;
    options.afterFrame = [&](int frame) {
        if (frame == 0) first = Now() - t0;
    };
    viewer.setTurnOptions(options);
    viewer.Prepare(folder, {L"..", name}, 0, 1);
    if (!viewer.Create(nullptr)) return -1;
    ::ShowWindow(viewer.hwnd(), SW_SHOW);
    ::UpdateWindow(viewer.hwnd());
    Pump();
    viewer.Destroy();
    return first;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
    win32::OleInit ole;
    win32::GdiplusSession gdiplus;
    const SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    std::printf("screen %ldx%ld, %d runs\n", screen.cx, screen.cy, runs);

    std::unique_ptr<tessaly::SkinImage> menu;
    std::unique_ptr<tessaly::SkinImage> page;
    tessaly::LoadSkinImageResource(nullptr, 215, L"JPEG", menu);
    tessaly::LoadSkinImageResource(nullptr, 173, L"JPEG", page);
    if (!menu || !page || !menu->ok() || !page->ok()) {
        std::printf("skin pictures missing\n");
        return 1;
    }

    std::vector<double> render;
    for (int i = 0; i < runs; ++i) {
        const double t0 = Now();
        auto picture = tessaly::TurnPicture::Render(menu->image(), screen.cx, screen.cy, screen);
        render.push_back(Now() - t0);
    }
    std::printf(
        "render one picture       %7.1f ms (median, decoded picture into its memory bitmap)\n",
        Median(render));

    {
        // Where a frame's time goes: one skewed PlgBlt against one plain StretchBlt, full screen.
        auto picture = tessaly::TurnPicture::Render(menu->image(), screen.cx, screen.cy, screen);
        win32::WindowDc sdc(nullptr);
        win32::MemoryDc dc(::CreateCompatibleDC(sdc.get()));
        win32::Bitmap bm(::CreateCompatibleBitmap(sdc.get(), screen.cx, screen.cy));
        win32::SelectedObject keep(dc.get(), bm.get());
        ::SetStretchBltMode(dc.get(), COLORONCOLOR);
        std::vector<double> plg, stretch;
        for (int i = 0; i < 10; ++i) {
            POINT pts[3] = {{40, -20}, {screen.cx - 40, 20}, {40, screen.cy}};
            double t0 = Now();
            ::PlgBlt(dc.get(), pts, picture->dc(), 0, 0, screen.cx, screen.cy, nullptr, 0, 0);
            ::GdiFlush();
            plg.push_back(Now() - t0);
            t0 = Now();
            ::StretchBlt(dc.get(), 40, 0, screen.cx - 80, screen.cy - 20, picture->dc(), 0, 0,
                         screen.cx, screen.cy, SRCCOPY);
            ::GdiFlush();
            stretch.push_back(Now() - t0);
        }
        std::printf("one PlgBlt %.2f ms, one StretchBlt %.2f ms (median, full screen)\n",
                    Median(plg), Median(stretch));
    }
    HWND hwnd = FullScreenWindow(screen);
    win32::WindowDc target(hwnd);
    const RECT r{0, 0, screen.cx, screen.cy};

    // 1. Frames per second: the turn's frames alone, the whole run with its set-up, and the floor.
    std::vector<double> frameFps;
    std::vector<double> runFps;
    std::vector<double> floorFps;
    for (int i = 0; i < runs; ++i) {
        double firstFrame = 0;
        double lastFrame = 0;
        tessaly::TurnOptions options;
        options.frameIntervalMs = 0;
        options.afterFrame = [&](int frame) { (frame == 0 ? firstFrame : lastFrame) = Now(); };
        const double t0 = Now();
        const int frames =
            tessaly::PlayPageTurn(target.get(), r, menu.get(), page.get(), i % 2, options);
        const double t1 = Now();
        if (frames > 1) frameFps.push_back((frames - 1) * 1000.0 / (lastFrame - firstFrame));
        if (frames > 0) runFps.push_back(frames * 1000.0 / (t1 - t0));

        win32::MemoryDc blankDc(::CreateCompatibleDC(target.get()));
        win32::MemoryDc workDc(::CreateCompatibleDC(target.get()));
        win32::Bitmap blank(::CreateCompatibleBitmap(target.get(), screen.cx, screen.cy));
        win32::Bitmap work(::CreateCompatibleBitmap(target.get(), screen.cx, screen.cy));
        win32::SelectedObject keepBlank(blankDc.get(), blank.get());
        win32::SelectedObject keepWork(workDc.get(), work.get());
        const int bareFrames = 16;
        const double b0 = Now();
        for (int f = 0; f < bareFrames; ++f) {
            ::BitBlt(workDc.get(), 0, 0, screen.cx, screen.cy, blankDc.get(), 0, 0, SRCCOPY);
            ::BitBlt(target.get(), 0, 0, screen.cx, screen.cy, workDc.get(), 0, 0, SRCCOPY);
            // Handed to the screen as the turn hands each frame.
            ::GdiFlush();
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0);
        }
        floorFps.push_back(bareFrames * 1000.0 / (Now() - b0));
        Pump();
    }
    const double turn = Median(frameFps);
    const double floor = Median(floorFps);
    std::printf("page-turn frames         %7.1f frames/s (median)\n", turn);
    std::printf("page-turn run with setup %7.1f frames/s (median, two pictures rendered per run)\n",
                Median(runFps));
    std::printf("bare two block copies    %7.1f frames/s (median)\n", floor);
    std::printf("ratio turn / floor       %7.2f\n", floor > 0 ? turn / floor : 0.0);
    ::DestroyWindow(hwnd);
    Pump();

    // 2. A 12-megapixel JPEG in the viewer to its first frame, against decoding it alone.
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp) + L"tessaly-bench-pageturn-" +
                                std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring name = L"photo.jpg";
    if (!WritePhoto(folder + name)) {
        std::printf("cannot write the test photograph\n");
        return 1;
    }
    std::vector<double> decode;
    std::vector<double> open;
    for (int i = 0; i < runs; ++i) {
        decode.push_back(DecodeOnly(folder + name));
        open.push_back(ViewerFirstFrame(folder, name));
    }
    const double d = Median(decode);
    const double o = Median(open);
    std::printf("12 MP JPEG decode alone  %7.1f ms (median)\n", d);
    std::printf("viewer to first frame    %7.1f ms (median)\n", o);
    std::printf("ratio viewer / decode    %7.2f\n", d > 0 ? o / d : 0.0);
    ::DeleteFileW((folder + name).c_str());
    ::RemoveDirectoryW(folder.c_str());
    return 0;
}
