#include "osd/show_info.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "osd/osd_keys.h"
#include "win32/handles.h"

namespace osd {
namespace {

class RecordingVolume : public VolumeControl {
public:
    unsigned systemVolume = 0;
    int systemMuted = 0;
    int reads = 0;
    std::vector<std::pair<unsigned, int>> applied;
    void Read(unsigned& volume, int& muted) override {
        ++reads;
        volume = systemVolume;
        muted = systemMuted;
    }
    void Apply(unsigned volume, int muted) override { applied.emplace_back(volume, muted); }
};

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

// The colour of pixel (x, y) of a bitmap resource, as the screen's format shows it.
COLORREF BitmapPixel(int id, int x, int y) {
    win32::Bitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    win32::WindowDc screen(nullptr);
    win32::MemoryDc memory(::CreateCompatibleDC(screen.get()));
    win32::SelectedObject selected(memory.get(), bitmap.get());
    return ::GetPixel(memory.get(), x, y);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = ::GetWindowDC(hwnd);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

class OsdBox : public ::testing::Test {
protected:
    void SetUp() override {
        osdVolume = 0;
        osdMuted = 0;
        volume_.systemVolume = 40;
    }
    win32::ComInit com_;
    RecordingVolume volume_;
};

TEST_F(OsdBox, StartsFromTheSystemVolumeAndSitsTopRightWithoutShowing) {
    CShow_Info box(volume_);
    EXPECT_EQ(volume_.reads, 1);
    EXPECT_EQ(osdVolume, 40u);
    ASSERT_TRUE(box.Create(nullptr));
    EXPECT_TRUE(box.created());
    RECT r{};
    ::GetWindowRect(box.hwnd(), &r);
    EXPECT_EQ(r.left, ::GetSystemMetrics(SM_CXSCREEN) - 250);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 183);
    EXPECT_EQ(r.bottom - r.top, 52);
    EXPECT_FALSE(::IsWindowVisible(box.hwnd()));
    EXPECT_TRUE(::GetWindowLongW(box.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(OsdBox, VolumeKeysStepSetTheSystemAndDrawTheBar) {
    CShow_Info box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    HWND before = ::GetForegroundWindow();
    box.ShowVolume(kVolumeUpKey);
    EXPECT_TRUE(::IsWindowVisible(box.hwnd()));
    EXPECT_NE(::GetForegroundWindow(), box.hwnd());
    EXPECT_EQ(::GetForegroundWindow(), before);
    EXPECT_EQ(osdVolume, 45u);
    EXPECT_EQ(box.bitmapId(), 142);
    box.ShowVolume(kVolumeDownKey);
    box.ShowVolume(kVolumeDownKey);
    EXPECT_EQ(osdVolume, 35u);
    EXPECT_EQ(box.bitmapId(), 144);
    EXPECT_EQ(volume_.applied, (std::vector<std::pair<unsigned, int>>{{45, 0}, {40, 0}, {35, 0}}));
    Pump(100);
    // The bar covers the whole box, frame included: corner and a lit segment match the bitmap.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{182, 51}, std::pair{70, 40}, std::pair{120, 30}})
        EXPECT_EQ(WindowPixel(box.hwnd(), x, y), BitmapPixel(144, x, y)) << x << "," << y;
}

TEST_F(OsdBox, MuteKeyWaitsThenReadsTheSystemState) {
    CShow_Info box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    volume_.systemMuted = 1;
    const DWORD start = ::GetTickCount();
    box.ShowVolume(kMuteKey);
    EXPECT_GE(::GetTickCount() - start, 290u);
    EXPECT_EQ(volume_.reads, 2);
    EXPECT_TRUE(volume_.applied.empty());
    EXPECT_EQ(box.bitmapId(), 130);
    // Muted, the bar stays crossed out whatever the level.
    box.ShowVolume(kVolumeUpKey);
    EXPECT_EQ(box.bitmapId(), 130);
    EXPECT_EQ(volume_.applied.back(), (std::pair<unsigned, int>{45, 1}));
}

TEST_F(OsdBox, HidesTwoSecondsAfterTheLastKey) {
    CShow_Info box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    box.ShowPicture(5);
    Pump(1400);
    box.ShowVolume(kVolumeUpKey);  // restarts the two seconds
    Pump(1400);
    EXPECT_TRUE(::IsWindowVisible(box.hwnd()));
    EXPECT_EQ(box.bitmapId(), 142);
    Pump(900);
    EXPECT_FALSE(::IsWindowVisible(box.hwnd()));
}

TEST_F(OsdBox, PictureKeysLoadTheirJpegAndUnknownCodesHide) {
    CShow_Info box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    box.ShowPicture(2);
    EXPECT_EQ(box.pictureId(), 190);
    EXPECT_EQ(box.bitmapId(), 0);
    EXPECT_TRUE(::IsWindowVisible(box.hwnd()));
    box.ShowPicture(10);  // no picture: shown empty
    EXPECT_EQ(box.pictureId(), 0);
    EXPECT_TRUE(::IsWindowVisible(box.hwnd()));
    box.ShowPicture(15);
    EXPECT_FALSE(::IsWindowVisible(box.hwnd()));
    EXPECT_EQ(box.pictureId(), 0);
}

TEST(OsdPicture, EveryKeyPictureDecodes) {
    win32::ComInit com;
    for (int id : {183, 184, 185, 186, 187, 189, 190, 191, 192, 193, 194, 195, 196}) {
        auto picture = LoadJpegResource(::GetModuleHandleW(nullptr), id);
        ASSERT_TRUE(picture) << id;
        OLE_XSIZE_HIMETRIC w = 0;
        picture->get_Width(&w);
        EXPECT_GT(w, 0) << id;
    }
    EXPECT_FALSE(LoadJpegResource(::GetModuleHandleW(nullptr), 188));
}

}  // namespace
}  // namespace osd
