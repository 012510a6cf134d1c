#include "launcher/ui/prompt_button.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "launcher/testing/recording_owners.h"
#include "launcher/testing/skin_test_parent.h"
#include "launcher/ui/tiles.h"

namespace tessaly {
namespace {

using testing::Canvas;
using testing::RecordingParent;

constexpr RECT kPromptRect{20, 20, 220, 220};  // 200 x 200
// The main window's caption box for a W x H prompt, here 200 x 200.
constexpr RECT kPromptText{200 * 30 / 400, 200 * 320 / 400, 200 * 340 / 400, 200 * 390 / 400};

void Tick(const PromptButton& button) {
    ::SendMessageW(button.hwnd(), WM_TIMER, kCountdownTimer, 0);
}

class PromptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(nullptr));
        prompt.countdownActive = true;
        ASSERT_TRUE(prompt.Create(L"prompt", 0x380 | WS_VISIBLE, kPromptRect, parent.hwnd(), 1112));
        prompt.textRect = kPromptText;
        prompt.pictureId = 216;
    }

    RecordingParent parent;
    // As the main window does: the count running out closes the parent.
    PromptButton prompt{[this] { ::SendMessageW(parent.hwnd(), WM_CLOSE, 0, 0); }};
};

TEST_F(PromptTest, CountsElevenToZeroAndClosesTheParentOnce) {
    EXPECT_TRUE(prompt.caption().empty());  // the first second shows only the picture
    for (int shown = 11; shown >= 0; --shown) {
        EXPECT_EQ(parent.closes, 0) << shown;
        Tick(prompt);
        EXPECT_EQ(prompt.caption(), L"Any Key To Continue:" + std::to_wstring(shown));
    }
    EXPECT_EQ(parent.closes, 1);
    // The timer is gone, and a tick that was already queued changes nothing.
    EXPECT_FALSE(::KillTimer(prompt.hwnd(), kCountdownTimer));
    Tick(prompt);
    Tick(prompt);
    EXPECT_EQ(parent.closes, 1);
    EXPECT_EQ(prompt.caption(), L"Any Key To Continue:0");
}

TEST_F(PromptTest, TimerRunsFromCreationAndStopsWhenAnswered) {
    // Killing it succeeds only when it was started; put it back for StopCountdown.
    ASSERT_TRUE(::KillTimer(prompt.hwnd(), kCountdownTimer));
    ::SetTimer(prompt.hwnd(), kCountdownTimer, 1000, nullptr);
    Tick(prompt);
    prompt.StopCountdown();
    EXPECT_FALSE(::KillTimer(prompt.hwnd(), kCountdownTimer));
    for (int i = 0; i < 15; ++i) Tick(prompt);
    EXPECT_EQ(parent.closes, 0);
    EXPECT_EQ(prompt.caption(), L"Any Key To Continue:11");

    PromptButton quiet;  // countdownActive left false: no timer at all
    ASSERT_TRUE(quiet.Create(L"", 0x380, kPromptRect, parent.hwnd(), 1113));
    EXPECT_FALSE(::KillTimer(quiet.hwnd(), kCountdownTimer));
    quiet.StopCountdown();
}

TEST_F(PromptTest, ParentThatDestroysItselfOnCloseTakesTheButtonSafely) {
    parent.destroyOnClose = true;
    for (int i = 0; i < 12; ++i) Tick(prompt);
    EXPECT_EQ(parent.closes, 1);
    EXPECT_EQ(parent.hwnd(), nullptr);
    EXPECT_EQ(prompt.hwnd(), nullptr);
}

TEST_F(PromptTest, PictureFillsTheButtonAndTheCaptionShrinksToItsBox) {
    Canvas canvas(200, 200);
    canvas.PaintFrom(prompt.hwnd());
    EXPECT_TRUE(prompt.hasPicture());
    COLORREF middle = canvas.At(100, 40);
    EXPECT_LT(std::abs(GetRValue(middle) - 200), 12);
    EXPECT_LT(std::abs(GetGValue(middle) - 30), 12);
    EXPECT_LT(std::abs(GetBValue(middle) - 40), 12);
    EXPECT_EQ(prompt.fontWidth(), 70);  // nothing to fit yet
    // Released, the picture comes back with the next paint.
    prompt.ReleasePicture();
    EXPECT_FALSE(prompt.hasPicture());
    canvas.PaintFrom(prompt.hwnd());
    EXPECT_TRUE(prompt.hasPicture());
    EXPECT_EQ(canvas.At(100, 40), middle);

    Tick(prompt);
    canvas.PaintFrom(prompt.hwnd());
    // The box is 135 x 35: 70-wide characters must narrow, and a 70-high cell must come down
    // to at most 25.
    EXPECT_LT(prompt.fontWidth(), 70);
    EXPECT_LE(prompt.fontHeight(), 35 - 10);
    EXPECT_GT(prompt.fontHeight(), 0);
    bool white = false;
    for (int y = kPromptText.top; y < kPromptText.bottom && !white; ++y)
        for (int x = kPromptText.left; x < kPromptText.right && !white; ++x)
            white = canvas.At(x, y) == 0xFFFFFFu;
    EXPECT_TRUE(white);

    // Sizes never grow back for a shorter caption.
    int width = prompt.fontWidth(), height = prompt.fontHeight();
    for (int i = 0; i < 11; ++i) Tick(prompt);
    canvas.PaintFrom(prompt.hwnd());
    EXPECT_LE(prompt.fontWidth(), width);
    EXPECT_LE(prompt.fontHeight(), height);
}

TEST_F(PromptTest, MissingPictureDrawsTheCaptionOverTheButtonFace) {
    PromptButton plain;
    ASSERT_TRUE(plain.Create(L"", 0x380, kPromptRect, parent.hwnd(), 1113));
    plain.pictureId = 4242;
    plain.textRect = kPromptText;
    Canvas canvas(200, 200);
    canvas.PaintFrom(plain.hwnd());
    EXPECT_FALSE(plain.hasPicture());
    EXPECT_EQ(canvas.At(100, 40), ::GetSysColor(COLOR_BTNFACE));
}

// Hundreds of paints of every control give back every pen, font and bitmap they make.
TEST(SkinGdi, PaintingReleasesEveryObject) {
    RecordingParent parent;
    ASSERT_TRUE(parent.Create(nullptr));
    testing::RecordingMenuOwner menuOwner;
    testing::RecordingEntryOwner entryOwner;
    MenuTile menuTile{menuOwner, win32::ScreenSize{1024, 768}, 96};
    ASSERT_TRUE(menuTile.Create(L"", 0x10300 | WS_VISIBLE, RECT{0, 0, 200, 60}, parent.hwnd(), 1113));
    menuTile.SetLabel(L"Game Menu");
    menuTile.FitFont();
    EntryTile entry{entryOwner, win32::ScreenSize{1920, 1080}};
    ASSERT_TRUE(entry.Create(L"", 0x320 | WS_VISIBLE, RECT{0, 70, 200, 130}, parent.hwnd(), 140));
    entry.label = L"Solitaire";
    PromptButton prompt;
    ASSERT_TRUE(prompt.Create(L"", 0x380 | WS_VISIBLE, kPromptRect, parent.hwnd(), 1112));
    prompt.textRect = kPromptText;
    prompt.pictureId = 216;
    Tick(prompt);

    Canvas canvas(220, 220);
    auto paintAll = [&] {
        canvas.PaintFrom(menuTile.hwnd());
        canvas.PaintFrom(entry.hwnd());
        canvas.PaintFrom(prompt.hwnd());
        for (HWND h : {menuTile.hwnd(), entry.hwnd(), prompt.hwnd()}) {
            ::InvalidateRect(h, nullptr, TRUE);
            ::UpdateWindow(h);
        }
    };
    paintAll();  // the picture, fitted fonts and caches settle here
    long before = testing::GdiObjectsInUse();
    for (int i = 0; i < 300; ++i) {
        menuOwner.selection = 1 + i % 8;
        entryOwner.selection = i % 3;
        paintAll();
    }
    EXPECT_EQ(testing::GdiObjectsInUse(), before);
}

}  // namespace
}  // namespace tessaly
