#include "launcher/ui/page_turn.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

using std::max;
using std::min;
#include <gdiplus.h>

#include "common/skin/skin_image.h"

namespace tessaly {
namespace {

// A screen-sized memory target whose pixels the test reads after every frame.
class Target {
public:
    explicit Target(SIZE size) {
        win32::WindowDc screen(nullptr);
        dc_.reset(::CreateCompatibleDC(screen.get()));
        bitmap_.reset(::CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
        keep_ = std::make_unique<win32::SelectedObject>(dc_.get(), bitmap_.get());
        RECT all{0, 0, size.cx, size.cy};
        ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~Target() { keep_.reset(); }
    HDC dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }

private:
    win32::MemoryDc dc_;
    win32::Bitmap bitmap_;
    std::unique_ptr<win32::SelectedObject> keep_;
};

class PageTurn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadSkinImageResource(nullptr, 215, L"JPEG", menu_));
        ASSERT_TRUE(menu_->ok());
        screen_ = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    win32::GdiplusSession gdiplus_;
    std::unique_ptr<SkinImage> menu_;
    SIZE screen_{};
};

TEST_F(PageTurn, ScreenTransitionShowsBlackWhileAPictureIsMissingAndEndsOnTheOther) {
    Target target(screen_);
    const RECT r{0, 0, screen_.cx, screen_.cy};
    const int midX = screen_.cx / 2;
    const int midY = screen_.cy / 2;
    std::vector<COLORREF> centre;
    std::vector<COLORREF> edge;
    TurnOptions options;
    options.frameIntervalMs = 0;
    options.afterFrame = [&](int) {
        centre.push_back(target.At(midX, midY));
        edge.push_back(target.At(3, midY));
    };

    // Opening a page without its picture: the menu folds away, then black unfolds.
    EXPECT_EQ(PlayPageTurn(target.dc(), r, menu_.get(), nullptr, 1, options), 16);
    ASSERT_EQ(centre.size(), 16u);
    for (int i = 0; i < 8; ++i) EXPECT_NE(centre[i], RGB(0, 0, 0)) << i;
    for (int i = 8; i < 16; ++i) EXPECT_EQ(centre[i], RGB(0, 0, 0)) << i;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(edge[i], RGB(0, 0, 0)) << "narrowed frame " << i;

    // Back to the menu from a missing page picture: black until the switch, then the menu,
    // ending with the whole screen covered exactly as the picture drawn flat.
    centre.clear();
    edge.clear();
    EXPECT_EQ(PlayPageTurn(target.dc(), r, nullptr, menu_.get(), 0, options), 16);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(centre[i], RGB(0, 0, 0)) << i;
    for (int i = 8; i < 16; ++i) EXPECT_NE(centre[i], RGB(0, 0, 0)) << i;
    EXPECT_NE(edge[15], RGB(0, 0, 0));
    auto flat = TurnPicture::Render(menu_->image(), screen_.cx, screen_.cy, screen_);
    ASSERT_TRUE(flat);
    for (POINT p : {POINT{5, 5}, POINT{midX, midY}, POINT{screen_.cx - 6, screen_.cy - 6}}) {
        COLORREF got = target.At(p.x, p.y);
        COLORREF want = ::GetPixel(flat->dc(), p.x, p.y);
        EXPECT_NEAR(GetRValue(got), GetRValue(want), 24) << p.x << "," << p.y;
        EXPECT_NEAR(GetGValue(got), GetGValue(want), 24) << p.x << "," << p.y;
        EXPECT_NEAR(GetBValue(got), GetBValue(want), 24) << p.x << "," << p.y;
    }

    // Nothing to draw into, or a target area of no size: no frames, no harm.
    EXPECT_EQ(PlayPageTurn(nullptr, r, menu_.get(), menu_.get(), 0, options), 0);
    EXPECT_EQ(PlayPageTurn(target.dc(), RECT{0, 0, 0, 0}, menu_.get(), menu_.get(), 0, options), 0);
}

TEST_F(PageTurn, PictureFlipReleasesTheOldPictureAtTheSwitchAndCaptionsEveryFrame) {
    Target target(screen_);
    std::unique_ptr<TurnPicture> oldPicture =
        TurnPicture::Render(menu_->image(), 400, 300, {400, 300});
    auto newPicture = TurnPicture::Render(menu_->image(), 100, 100, {100, 100});
    ASSERT_TRUE(oldPicture);
    ASSERT_TRUE(newPicture);

    std::vector<bool> oldAlive;
    std::vector<bool> captioned;
    TurnOptions options;
    options.frameIntervalMs = 0;
    options.afterFrame = [&](int) {
        oldAlive.push_back(static_cast<bool>(oldPicture));
        bool green = false;
        for (int x = screen_.cx / 2 - 60; x < screen_.cx / 2 + 60 && !green; ++x) {
            for (int y = 15; y < kCaptionBand - 15 && !green; ++y)
                green = target.At(x, y) == RGB(0, 255, 0);
        }
        captioned.push_back(green);
    };
    const int frames = PlayPictureFlip(target.dc(), screen_, oldPicture, newPicture.get(),
                                       L"C:\\Pictures\\x.png", options);
    ASSERT_GT(frames, 0);
    ASSERT_EQ(oldAlive.size(), static_cast<size_t>(frames));
    EXPECT_TRUE(oldAlive.front());
    EXPECT_FALSE(oldAlive.back());
    EXPECT_FALSE(oldPicture);
    for (size_t i = 0; i < captioned.size(); ++i) EXPECT_TRUE(captioned[i]) << i;
    // The new picture decides the placement: 100 pixels in the centre, black around it.
    EXPECT_NE(target.At(screen_.cx / 2, screen_.cy / 2), RGB(0, 0, 0));
    EXPECT_EQ(target.At(3, screen_.cy - 3), RGB(0, 0, 0));
    EXPECT_EQ(target.At(screen_.cx / 2 - 60, screen_.cy / 2), RGB(0, 0, 0));
}

}  // namespace
}  // namespace tessaly
