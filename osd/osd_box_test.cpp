#include "osd/osd_box.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <utility>
#include <vector>

#include "osd/osd_display.h"
#include "osd/osd_keys.h"
#include "osd/startup.h"
#include "osd/osd_window.h"
#include "win32/handles.h"
#include "win32/instance.h"

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
    win32::WindowDc dc(hwnd, win32::WindowDc::kWholeWindow);
    return ::GetPixel(dc.get(), x, y);
}

class OsdBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        osdVolume = 0;
        osdMuted = 0;
        volume_.systemVolume = 40;
    }
    win32::ComInit com_;
    RecordingVolume volume_;
};

TEST_F(OsdBoxTest, StartsFromTheSystemVolumeAndSitsTopRightWithoutShowing) {
    OsdBox box(volume_);
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

TEST_F(OsdBoxTest, VolumeKeysStepSetTheSystemAndDrawTheBar) {
    OsdBox box(volume_);
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

TEST_F(OsdBoxTest, MuteKeyWaitsWithoutBlockingThenReadsTheSystemState) {
    OsdBox box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    volume_.systemMuted = 1;
    box.ShowVolume(kMuteKey);
    // The handler returns at once (the thread also runs the keyboard hook); the state is read
    // when the wait is over.
    EXPECT_EQ(volume_.reads, 1);
    Pump(150);
    EXPECT_EQ(volume_.reads, 1);
    Pump(400);
    EXPECT_EQ(volume_.reads, 2);
    EXPECT_TRUE(volume_.applied.empty());
    EXPECT_EQ(box.bitmapId(), 130);
    // Muted, the bar stays crossed out whatever the level.
    box.ShowVolume(kVolumeUpKey);
    EXPECT_EQ(box.bitmapId(), 130);
    EXPECT_EQ(volume_.applied.back(), (std::pair<unsigned, int>{45, 1}));
}

TEST_F(OsdBoxTest, APictureKeyDuringTheMuteWaitStaysOnScreen) {
    OsdBox box(volume_);
    ASSERT_TRUE(box.Create(nullptr));
    volume_.systemMuted = 1;
    box.ShowVolume(kMuteKey);
    Pump(100);
    box.ShowPicture(2);
    Pump(400);
    // The wait still read the system's state, but drew nothing over the picture.
    EXPECT_EQ(volume_.reads, 2);
    EXPECT_EQ(osdMuted, 1);
    EXPECT_EQ(box.pictureId(), 190);
    EXPECT_EQ(box.bitmapId(), 0);
    // The next mute key shows its bar again.
    volume_.systemMuted = 0;
    box.ShowVolume(kMuteKey);
    Pump(400);
    EXPECT_EQ(box.bitmapId(), VolumeBitmap(40, 0));
    EXPECT_EQ(box.pictureId(), 0);
}

TEST_F(OsdBoxTest, PictureKeysLoadTheirJpegAndUnknownCodesHide) {
    OsdBox box(volume_);
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
    // A close request only hides the box; the next key shows it again.
    box.ShowPicture(13);
    ::SendMessageW(box.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(box.created());
    EXPECT_FALSE(::IsWindowVisible(box.hwnd()));
    box.ShowPicture(12);
    EXPECT_TRUE(::IsWindowVisible(box.hwnd()));
    EXPECT_EQ(box.pictureId(), 183);
}

// The main window writes the machine's Run value; the test puts back what the prefix had.
class SavedRunValue {
public:
    SavedRunValue() {
        DWORD size = sizeof value_;
        had_ = ::RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kAutostartValue, RRF_RT_REG_SZ, nullptr, value_, &size) ==
               ERROR_SUCCESS;
    }
    ~SavedRunValue() {
        win32::RegKey key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return;
        if (had_) {
            ::RegSetValueExW(key.get(), kAutostartValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value_),
                             static_cast<DWORD>((std::wcslen(value_) + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(key.get(), kAutostartValue);
        }
    }

private:
    wchar_t value_[MAX_PATH + 1] = {};
    bool had_ = false;
};

OsdWindow* g_running = nullptr;
std::vector<UINT> g_script;
bool g_mainWindowSeen = false;

// Sees every position change of the main window as it is made: a show that is undone a moment
// later still counts, as it flashes on screen.
LRESULT CALLBACK WatchShows(int code, WPARAM wp, LPARAM lp) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGED && g_running && sent->hwnd == g_running->hwnd() &&
        (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_SHOWWINDOW)) {
        g_mainWindowSeen = true;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

// Feeds the running main window one message per tick, then closes it.
void CALLBACK FeedMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_running || !g_running->hwnd()) return;
    if (::IsWindowVisible(g_running->hwnd())) g_mainWindowSeen = true;
    if (g_script.empty()) {
        ::KillTimer(nullptr, timer);
        ::PostMessageW(g_running->hwnd(), WM_CLOSE, 0, 0);
        return;
    }
    const UINT msg = g_script.front();
    g_script.erase(g_script.begin());
    if (msg == 0) {
        osdBusy = 1;  // the next key arrives while a display is being prepared
    } else {
        ::SendMessageW(g_running->hwnd(), msg, msg == kMsgVolumeUp ? kVolumeUpKey : 2, msg == kMsgPicture ? 13 : 0);
        osdBusy = 0;
    }
}

TEST_F(OsdBoxTest, MainWindowStaysHiddenHandlesKeysUnlessBusyAndEndsOnClose) {
    SavedRunValue saved;
    OsdWindow dialog(volume_);
    g_running = &dialog;
    g_script = {0, kMsgVolumeUp, kMsgVolumeUp, kMsgPicture};
    win32::HookHandle watch(::SetWindowsHookExW(WH_CALLWNDPROCRET, WatchShows, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(watch);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, FeedMainWindow);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    ::KillTimer(nullptr, timer);
    g_running = nullptr;
    EXPECT_LT(::GetTickCount() - start, 5000u);
    EXPECT_FALSE(g_mainWindowSeen);
    // The first volume key came while busy and was dropped: one step from 40, then the picture.
    EXPECT_EQ(osdVolume, 45u);
    EXPECT_EQ(volume_.applied.size(), 1u);
    EXPECT_EQ(dialog.info().pictureId(), 184);
    EXPECT_EQ(osdBusy, 0);
    const auto path = win32::ModulePath();
    ASSERT_TRUE(path);
    wchar_t stored[MAX_PATH + 1] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, kAutostartValue, RRF_RT_REG_SZ, nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), AutostartCommand(*path));
}

}  // namespace
}  // namespace osd
