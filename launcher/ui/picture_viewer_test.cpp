#include "launcher/ui/picture_viewer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

using std::max;
using std::min;
#include <gdiplus.h>

#include "common/skin/skin_image.h"

namespace tessaly {
namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kCaption = RGB(0, 255, 0);

bool EncoderFor(const wchar_t* mime, CLSID& clsid) {
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (bytes == 0 || Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, mime) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

void WriteSolid(const std::wstring& path, int w, int h, COLORREF c, const wchar_t* mime) {
    Gdiplus::Bitmap bitmap(w, h, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.Clear(Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    }
    CLSID clsid{};
    ASSERT_TRUE(EncoderFor(mime, clsid));
    ASSERT_EQ(bitmap.Save(path.c_str(), &clsid, nullptr), Gdiplus::Ok);
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    win32::Handle f(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadBytes(const std::wstring& path) {
    win32::Handle f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    std::string bytes(::GetFileSize(f.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

// A 16,000 x 16,000 run-length-coded BMP: 2 MB on disk, a gigabyte once decoded.
std::string HugeBmp() {
    const int side = 16000;
    std::string rle;
    for (int y = 0; y < side; ++y) {
        for (int left = side; left > 0; left -= 255) {
            rle += static_cast<char>(std::min(left, 255));
            rle += '\0';
        }
        rle += std::string("\0\0", 2);
    }
    rle += std::string("\0\1", 2);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biCompression = BI_RLE8;
    info.biSizeImage = static_cast<DWORD>(rle.size());
    info.biClrUsed = 1;
    const RGBQUAD white{255, 255, 255, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + sizeof(white);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rle.size());
    std::string out(reinterpret_cast<const char*>(&file), sizeof(file));
    out.append(reinterpret_cast<const char*>(&info), sizeof(info));
    out.append(reinterpret_cast<const char*>(&white), sizeof(white));
    return out + rle;
}

void Pump() { win32::DispatchQueuedMessages(); }

// Until the picture stepped to has come from the worker and been painted.
void Settle(PictureViewer& viewer) {
    const ULONGLONG start = ::GetTickCount64();
    Pump();
    while (viewer.decoding() && ::GetTickCount64() - start < 30000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    Pump();
    ::UpdateWindow(viewer.hwnd());
    Pump();
}

int CursorCount() {
    int shown = ::ShowCursor(TRUE);
    ::ShowCursor(FALSE);
    return shown - 1;
}

class PictureViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH + 1, temp);
        folder_ = std::wstring(temp) + L"tessaly-viewer-" +
                  std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        ::CreateDirectoryW((folder_ + L"sub").c_str(), nullptr);
        screen_ = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    void TearDown() override {
        for (const std::wstring& name : items_) ::DeleteFileW((folder_ + name).c_str());
        ::RemoveDirectoryW((folder_ + L"sub").c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

    COLORREF At(HWND hwnd, int x, int y) {
        win32::WindowDc dc(hwnd);
        return ::GetPixel(dc.get(), x, y);
    }
    bool CaptionShown(HWND hwnd) {
        win32::WindowDc dc(hwnd);
        for (int y = 10; y < kCaptionBand - 10; y += 2) {
            for (int x = screen_.cx / 4; x < screen_.cx * 3 / 4; x += 1) {
                if (::GetPixel(dc.get(), x, y) == kCaption) return true;
            }
        }
        return false;
    }

    win32::GdiplusSession gdiplus_;
    win32::ComInit com_;
    std::wstring folder_;
    std::vector<std::wstring> items_;
    SIZE screen_{};
};

TEST_F(PictureViewerTest, StepsThroughAFolderOfGoodBadAndVanishingPictures) {
    // ".." and one folder, then: small red, wide green, blue (deleted while open), a truncated
    // PNG, an empty file, a picture too large to decode, and yellow with a name outside the BMP.
    const std::wstring smile = L"\U0001F600 & smile.png";
    items_ = {L"..",         L"sub",       L"red.png",  L"green.bmp", L"blue.png",
              L"broken.png", L"empty.jpg", L"huge.bmp", smile};
    WriteSolid(folder_ + L"red.png", 200, 100, kRed, L"image/png");
    WriteSolid(folder_ + L"green.bmp", screen_.cx + 500, 200, kGreen, L"image/bmp");
    WriteSolid(folder_ + L"blue.png", 50, 50, RGB(0, 0, 255), L"image/png");
    WriteSolid(folder_ + smile, 300, 300, kYellow, L"image/png");
    WriteBytes(folder_ + L"broken.png", ReadBytes(folder_ + L"red.png").substr(0, 60));
    WriteBytes(folder_ + L"empty.jpg", "");
    WriteBytes(folder_ + L"huge.bmp", HugeBmp());

    const int cursorBefore = CursorCount();
    int frames = 0;
    PictureViewer viewer;
    TurnOptions quick;
    quick.frameIntervalMs = 0;
    quick.afterFrame = [&](int) { ++frames; };
    viewer.setTurnOptions(quick);
    viewer.Prepare(folder_.substr(0, folder_.size() - 1), items_, 1, 2);  // the "\" is added
    ASSERT_TRUE(viewer.Create(nullptr));
    HWND hwnd = viewer.hwnd();
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    Settle(viewer);

    RECT r{};
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, screen_.cx);
    EXPECT_EQ(r.bottom, screen_.cy);
    EXPECT_EQ(CursorCount(), cursorBefore - 1);

    const int cx = screen_.cx / 2;
    const int cy = screen_.cy / 2;
    auto expectRed = [&] {
        EXPECT_EQ(viewer.picturePath(), folder_ + L"red.png");
        EXPECT_EQ(At(hwnd, cx, cy), kRed);
        EXPECT_EQ(At(hwnd, cx - 98, cy - 48), kRed);  // own size, centred
        EXPECT_EQ(At(hwnd, cx - 104, cy), kBlack);
        EXPECT_EQ(At(hwnd, cx, cy - 54), kBlack);
        EXPECT_TRUE(CaptionShown(hwnd));
    };
    EXPECT_EQ(frames, 6) << "a 200-pixel picture turns in from black in 2 + 1 + 3 frames";
    expectRed();

    auto key = [&](WPARAM vk) {
        frames = 0;
        ::PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
        ::PostMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
        Settle(viewer);
    };

    key(VK_LEFT);  // refused on the first picture: turned again
    EXPECT_EQ(viewer.index(), 2);
    EXPECT_GT(frames, 0);
    expectRed();

    key(VK_RIGHT);  // wider than the screen: squeezed to its width, own height
    EXPECT_EQ(viewer.index(), 3);
    EXPECT_EQ(At(hwnd, 2, cy), kGreen);
    EXPECT_EQ(At(hwnd, screen_.cx - 3, cy + 97), kGreen);
    EXPECT_EQ(At(hwnd, 2, cy - 104), kBlack);

    ASSERT_TRUE(::DeleteFileW((folder_ + L"blue.png").c_str()));
    for (int expected :
         {4, 5, 6, 7}) {  // vanished, truncated, empty, too large: black, still steps
        key(VK_MEDIA_NEXT_TRACK);
        EXPECT_EQ(viewer.index(), expected);
        EXPECT_GT(frames, 0) << expected;
        EXPECT_EQ(At(hwnd, cx, cy), kBlack) << expected;
        EXPECT_EQ(At(hwnd, 2, cy), kBlack) << expected;
        EXPECT_TRUE(CaptionShown(hwnd)) << expected;
    }

    key(VK_DOWN);  // onto the last picture
    EXPECT_EQ(viewer.index(), 8);
    EXPECT_TRUE(viewer.atLast());
    EXPECT_EQ(viewer.picturePath(), folder_ + smile);
    EXPECT_EQ(At(hwnd, cx + 148, cy + 148), kYellow);
    EXPECT_TRUE(CaptionShown(hwnd));
    key(VK_RIGHT);
    EXPECT_EQ(frames, 0) << "a further Next on the last picture draws nothing";
    EXPECT_EQ(viewer.index(), 8);

    key(VK_UP);
    EXPECT_EQ(viewer.index(), 7);
    EXPECT_EQ(At(hwnd, cx, cy), kBlack);
    key(VK_RIGHT);  // back onto the last one: shown again
    EXPECT_GT(frames, 0);
    EXPECT_EQ(At(hwnd, cx, cy), kYellow);

    // Keys of no meaning here do nothing; a repaint without a step draws the picture still.
    key('A');
    EXPECT_EQ(frames, 0);
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    EXPECT_EQ(frames, 0) << "a paint plays no flip";
    EXPECT_EQ(At(hwnd, cx, cy), kYellow);

    // The picture on screen does not hold its file open.
    EXPECT_TRUE(::DeleteFileW((folder_ + smile).c_str()));

    viewer.Destroy();
    EXPECT_EQ(CursorCount(), cursorBefore);
}

// A TIFF as the encoder wrote it, its first directory claiming side x side (little-endian only).
std::string ClaimTiffSize(std::string tiff, unsigned side) {
    auto at = [&](size_t i) { return static_cast<unsigned char>(tiff[i]); };
    if (tiff.size() < 8 || tiff[0] != 'I') return {};
    const size_t dir = at(4) | (at(5) << 8) | (at(6) << 16) | (static_cast<size_t>(at(7)) << 24);
    const unsigned entries = at(dir) | (at(dir + 1) << 8);
    for (unsigned i = 0; i < entries; ++i) {
        const size_t e = dir + 2 + i * 12;
        const unsigned tag = at(e) | (at(e + 1) << 8);
        if (tag != 256 && tag != 257) continue;
        const unsigned char entry[10] = {4, 0, 1, 0, 0, 0, static_cast<unsigned char>(side & 0xFF),
                                         static_cast<unsigned char>(side >> 8),
                                         static_cast<unsigned char>(side >> 16), 0};
        tiff.replace(e + 2, 10, reinterpret_cast<const char*>(entry), 10);
    }
    return tiff;
}

// Nothing reaches the decoder unless its header names a size within the bound, whatever the name.
TEST_F(PictureViewerTest, DecodeBoundHoldsForEveryFormatWhateverTheFileIsCalled) {
    WriteSolid(folder_ + L"tiff.jpg", 30, 20, kRed, L"image/tiff");
    WriteSolid(folder_ + L"real.png", 4, 4, kRed, L"image/png");
    items_ = {L"tiff.jpg", L"real.png", L"rows-missing.bmp", L"wide.png", L"junk.jpg",
              L"huge-tiff.jpg"};

    const std::unique_ptr<TurnPicture> tiff = LoadViewerPicture(folder_ + L"tiff.jpg", screen_);
    ASSERT_TRUE(tiff);
    EXPECT_EQ(tiff->natural().cx, 30);
    EXPECT_EQ(tiff->natural().cy, 20);
    EXPECT_TRUE(LoadViewerPicture(folder_ + L"real.png", screen_));

    // 8000 x 8000 declared in a 1 KB file.
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    info.biSize = sizeof(info);
    info.biWidth = 8000;
    info.biHeight = 8000;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bmp(reinterpret_cast<const char*>(&file), sizeof(file));
    bmp.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bmp.resize(1024, '\x40');
    WriteBytes(folder_ + L"rows-missing.bmp", bmp);
    // A real PNG whose header claims 16000 x 16000.
    std::string png = ReadBytes(folder_ + L"real.png");
    ASSERT_GT(png.size(), 24u);
    for (size_t i : {16u, 20u}) png.replace(i, 4, std::string("\0\0\x3E\x80", 4));
    WriteBytes(folder_ + L"wide.png", png);
    WriteBytes(folder_ + L"junk.jpg", std::string(2048, '\x5A'));
    const std::string hugeTiff = ClaimTiffSize(ReadBytes(folder_ + L"tiff.jpg"), 20000);
    ASSERT_FALSE(hugeTiff.empty());
    WriteBytes(folder_ + L"huge-tiff.jpg", hugeTiff);

    for (const wchar_t* name : {L"rows-missing.bmp", L"wide.png", L"junk.jpg", L"huge-tiff.jpg",
                                L"missing.png"}) {
        EXPECT_FALSE(LoadViewerPicture(folder_ + name, screen_)) << name;
    }
}

// The modal run as the browser uses it: every way out shows the cursor again.
PictureViewer* running = nullptr;
int cursorWhileRunning = 0;
UINT exitMessage = 0;

void CALLBACK LeaveViewer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    cursorWhileRunning = CursorCount();
    HWND viewer = running ? running->hwnd() : ::FindWindowW(L"#32770", nullptr);
    if (exitMessage == WM_KEYDOWN) {
        ::PostMessageW(viewer, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(viewer, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    } else {
        ::PostMessageW(viewer, exitMessage, 0, 0);
    }
}

TEST_F(PictureViewerTest, EscapeAndCloseBothEndTheModalRunWithTheCursorShown) {
    items_ = {L"..", L"one.png"};
    WriteSolid(folder_ + L"one.png", 40, 40, kRed, L"image/png");
    for (UINT way : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_CLOSE)}) {
        const int before = CursorCount();
        PictureViewer viewer;
        TurnOptions quick;
        quick.frameIntervalMs = 0;
        viewer.setTurnOptions(quick);
        viewer.Prepare(folder_, items_, 0, 1);
        running = &viewer;
        exitMessage = way;
        ::SetTimer(nullptr, 0, 300, LeaveViewer);
        const INT_PTR result = viewer.DoModal(nullptr);
        EXPECT_EQ(result, IDCANCEL) << way;
        EXPECT_EQ(cursorWhileRunning, before - 1) << way;
        EXPECT_EQ(CursorCount(), before) << way;
        EXPECT_FALSE(viewer.hwnd());
    }

    // The browser's hand-off: modal over its owner, which gets its input back afterwards.
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                   nullptr, nullptr, nullptr);
    running = nullptr;
    exitMessage = WM_KEYDOWN;
    const int before = CursorCount();
    ::SetTimer(nullptr, 0, 300, LeaveViewer);
    const PictureHandOff show;
    show(owner, folder_, items_, 0, 1);
    EXPECT_EQ(cursorWhileRunning, before - 1);
    EXPECT_EQ(CursorCount(), before);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

// Keys that come during a flip end it: the viewer lands on the newest picture, and an Esc queued
// behind the arrows closes it without another flip first.
PictureViewer* flipping = nullptr;
int flipPhase = 0;  // 0 opening, 1 the first step's flip, 2 keys queued
int framesAfterKeys = 0;
int framesOfCutFlip = 0;

void PostKey(HWND hwnd, WPARAM vk) {
    ::PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    ::PostMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
}

void CALLBACK StartStep(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    flipPhase = 1;
    PostKey(flipping->hwnd(), VK_RIGHT);
}

TEST_F(PictureViewerTest, KeysDuringAFlipEndItAndEscapeWinsAtOnce) {
    items_ = {L"..", L"p1.png", L"p2.png", L"p3.png", L"p4.png", L"p5.png", L"p6.png"};
    for (size_t i = 1; i < items_.size(); ++i) {
        WriteSolid(folder_ + items_[i], screen_.cx, screen_.cy, i % 2 ? kRed : kGreen, L"image/png");
    }
    PictureViewer viewer;
    TurnOptions paced;  // at the launcher's own pace: a flip lasts long enough to be overtaken
    paced.afterFrame = [&](int frame) {
        if (flipPhase == 1 && frame == 3) {
            for (int i = 0; i < 3; ++i) PostKey(viewer.hwnd(), VK_RIGHT);
            PostKey(viewer.hwnd(), VK_ESCAPE);
            flipPhase = 2;
            framesOfCutFlip = frame + 1;
        } else if (flipPhase == 2) {
            ++framesAfterKeys;
            ++framesOfCutFlip;
        }
    };
    viewer.setTurnOptions(paced);
    viewer.Prepare(folder_, items_, 0, 1);
    flipping = &viewer;
    ::SetTimer(nullptr, 0, 50, StartStep);
    EXPECT_EQ(viewer.DoModal(nullptr), IDCANCEL);
    flipping = nullptr;

    EXPECT_EQ(flipPhase, 2);
    EXPECT_EQ(viewer.index(), 5) << "one step, then three more queued during its flip";
    EXPECT_EQ(framesAfterKeys, 1) << "only the resting frame follows the keys";
    EXPECT_EQ(viewer.lastTurnFrames(), framesOfCutFlip);
    EXPECT_LT(framesOfCutFlip, 10);
}

}  // namespace
}  // namespace tessaly
