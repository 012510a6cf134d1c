// The panel's real window on the virtual display: placement, keys as message 1050, the composed
// picture, and the switch-off when the object goes.
#include "launcher/ui/karaoke_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launcher/testing/karaoke_fake_effects.h"
#include "launcher/ui/messages.h"
#include "win32/handles.h"

namespace tessaly {
namespace {

uint8_t Alpha(uint32_t p) { return static_cast<uint8_t>(p >> 24); }
uint8_t Red(uint32_t p) { return static_cast<uint8_t>(p >> 16); }
uint8_t Green(uint32_t p) { return static_cast<uint8_t>(p >> 8); }

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class KaraokePanelWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<KaraokePanel>(fx, [this](int l, int n, int d, int m) {
            lines.push_back(std::to_string(l) + "," + std::to_string(n) + "," + std::to_string(d) + "," +
                            std::to_string(m));
            return 0;
        });
        ASSERT_TRUE(panel->Create());
        unit = static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) / 1024.0f;
    }
    void Key(int vk) { ::SendMessageW(panel->hwnd(), kMsgPanelKey, vk, 0); }
    uint32_t At(float x, float designY) {
        win32::LayeredCanvas canvas;
        EXPECT_TRUE(panel->Compose(canvas));
        return canvas.Pixel(static_cast<int>(x), static_cast<int>(designY * unit));
    }
    // A lit level bar: the opaque green of picture 234 (the empty slots behind are dark).
    bool BarLit(int index, float barX, float designY) {
        const uint32_t p = At(30.0f + barX * static_cast<float>(index) + 4.0f, designY + 15.0f);
        return Alpha(p) == 255 && Green(p) > 140;
    }

    win32::GdiplusSession gdiplus;
    audio::RecordingEffects fx;
    std::vector<std::string> lines;
    std::unique_ptr<KaraokePanel> panel;
    float unit = 1.0f;
};

TEST_F(KaraokePanelWindowTest, StartsHiddenTopRightAboveOtherWindowsWithKaraokeOn) {
    HWND w = panel->hwnd();
    EXPECT_FALSE(::IsWindowVisible(w));
    EXPECT_FALSE(panel->IsShown());
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT r{};
    ::GetWindowRect(w, &r);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, cx - 335 - 10);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 335);
    EXPECT_EQ(r.bottom - r.top, 650 * cy / 1024);
    EXPECT_EQ(lines, (std::vector<std::string>{"10,0,0,1", "10,1,1,1", "66,3,0,1", "10,2,1,1", "66,4,0,1"}));
    ASSERT_GE(fx.calls.size(), 3u);
    EXPECT_EQ(fx.calls[1], "Karaoke(1,1)");

    panel->Show(true);
    EXPECT_TRUE(panel->IsShown());
    EXPECT_NE(::GetForegroundWindow(), w);  // showing takes no activation
    panel->Show(false);
    EXPECT_FALSE(panel->IsShown());
}

TEST_F(KaraokePanelWindowTest, KeysChangeThePictureAndQueuedKeysWaitForTheNextMessage) {
    // Marker on row 0, muted picture, two bars.
    EXPECT_GT(Red(At(18, 57 + 8)), 200);
    EXPECT_LT(Alpha(At(18, 172 + 8)) , 255);
    EXPECT_TRUE(BarLit(1, 10, 90));
    EXPECT_FALSE(BarLit(2, 10, 90));
    const uint32_t mutedToggle = At(30 + 6, 45 + 6);

    Key(VK_RIGHT);
    EXPECT_TRUE(BarLit(2, 10, 90));
    EXPECT_EQ(lines.back(), "15,2,1,1");
    Key(VK_RETURN);
    EXPECT_EQ(panel->settings().monitorMuted, 0);
    EXPECT_NE(At(30 + 6, 45 + 6), mutedToggle);

    // Queued the way the keyboard hook does it: nothing happens until the panel's next message.
    KaraokePanel::QueueKey(panel->hwnd(), VK_DOWN);
    EXPECT_EQ(panel->settings().selectedRow, 0);
    Pump();
    EXPECT_EQ(panel->settings().selectedRow, 1);
    EXPECT_GT(Red(At(18, 172 + 8)), 200);

    // Echo row: the bars follow the level, down to one.
    const size_t before = fx.calls.size();
    for (int i = 0; i < 20; ++i) Key(VK_LEFT);
    EXPECT_EQ(panel->settings().echoLevel, -12);
    EXPECT_TRUE(BarLit(0, 10, 210));
    EXPECT_FALSE(BarLit(1, 10, 210));
    EXPECT_GT(fx.calls.size(), before);

    // Other codes are ignored; the handler answers 1 for every code.
    EXPECT_EQ(::SendMessageW(panel->hwnd(), kMsgPanelKey, 'A', 0), 1);
    EXPECT_EQ(panel->settings().selectedRow, 1);

    // Enter and Escape never reach the dialog's own keyboard handling.
    MSG enter{panel->hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG escape{panel->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(win32::Window::WalkPreTranslate(enter));
    EXPECT_TRUE(win32::Window::WalkPreTranslate(escape));
    ::SendMessageW(panel->hwnd(), WM_CLOSE, 0, 0);  // the main window's closing step
    EXPECT_EQ(panel->hwnd(), nullptr);

    fx.calls.clear();
    lines.clear();
    panel.reset();  // the switch-off runs once, with the window already gone
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"Karaoke(1,0)", "MicEffect(1,0)", "Shift(1,0)", "Vocal(1,0)",
                                                  "Release(1)"}));
    EXPECT_EQ(lines, (std::vector<std::string>{"10,1,1,1", "10,0,0,1", "0,3,0,1", "10,2,1,1", "0,4,0,1"}));
}

TEST(LayeredCanvasTest, RefusesEmptySizesAndReadsNothingOutside) {
    win32::LayeredCanvas canvas;
    EXPECT_FALSE(canvas.Create(0, 10));
    EXPECT_EQ(canvas.pixels(), nullptr);
    EXPECT_FALSE(canvas.Present(::GetDesktopWindow(), SIZE{1, 1}));
    ASSERT_TRUE(canvas.Create(4, 3));
    canvas.pixels()[4 * 3 - 1] = 0xFF102030u;
    EXPECT_EQ(canvas.Pixel(3, 2), 0xFF102030u);
    EXPECT_EQ(canvas.Pixel(4, 2), 0u);
    EXPECT_EQ(canvas.Pixel(-1, 0), 0u);
    EXPECT_EQ(canvas.Pixel(0, 0), 0u);  // starts transparent
    EXPECT_FALSE(canvas.Present(nullptr, SIZE{4, 3}));
}

}  // namespace
}  // namespace tessaly
