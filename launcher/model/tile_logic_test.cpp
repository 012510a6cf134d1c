#include "launcher/model/tile_logic.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

TEST(TileSizes, PenAndFontsFollowTheScreenAndDisplay) {
    EXPECT_EQ(TilePenWidth(1024), 3);
    EXPECT_EQ(TilePenWidth(1279), 3);
    EXPECT_EQ(TilePenWidth(1280), 6);
    EXPECT_EQ(TilePenWidth(1920), 6);

    EXPECT_EQ(MenuTileFontSize(1920, 96), (FontSize{37, 50}));
    EXPECT_EQ(MenuTileFontSize(1366, 144), (FontSize{26, 50}));  // wide screens ignore the DPI
    EXPECT_EQ(MenuTileFontSize(1280, 96), (FontSize{25, 50}));
    EXPECT_EQ(MenuTileFontSize(1024, 96), (FontSize{16, 30}));
    EXPECT_EQ(MenuTileFontSize(1024, 120), (FontSize{20, 30}));
    EXPECT_EQ(MenuTileFontSize(1279, 97), (FontSize{20, 30}));

    EXPECT_EQ(EntryFontSize(1920, 1080), (FontSize{15, 42}));  // width capped at 1360
    EXPECT_EQ(EntryFontSize(1024, 768), (FontSize{11, 30}));
}

TEST(TileOutline, StrokeStaysInsideTheClientArea) {
    OutlinePath wide = TileOutline(RECT{0, 0, 400, 70}, 6);
    const POINT expected[5] = {{3, 3}, {397, 3}, {397, 67}, {3, 67}, {3, 3}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(wide.points[i].x, expected[i].x) << i;
        EXPECT_EQ(wide.points[i].y, expected[i].y) << i;
    }
    OutlinePath thin = TileOutline(RECT{0, 0, 200, 50}, 3);
    EXPECT_EQ(thin.points[0].x, 1);
    EXPECT_EQ(thin.points[2].x, 199);
    EXPECT_EQ(thin.points[2].y, 49);
}

// A caption ten pixels wide per unit of character width, as tall as the cell.
struct FakeText {
    std::vector<FontSize> calls;
    SIZE operator()(FontSize f) {
        calls.push_back(f);
        return SIZE{10 * f.width, f.height};
    }
};

TEST(MenuTileFit, ShrinksOnlyWhatDoesNotFit) {
    FakeText text;
    // Room for 290 across and 50 down: the width goes to 29, the height stays.
    FitResult r = FitMenuTileFont({37, 50}, RECT{0, 0, 300, 66},
                                  [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{29, 50}));
    EXPECT_EQ(r.text.cx, 290);
    EXPECT_EQ(text.calls.size(), 9u);  // first measure plus eight steps

    // Too wide and too tall: both shrink on the same step.
    FakeText both;
    r = FitMenuTileFont({37, 50}, RECT{0, 0, 360, 60}, [&](FontSize f) { return both(f); });
    EXPECT_EQ(r.font, (FontSize{35, 44}));
    ASSERT_GE(both.calls.size(), 2u);
    EXPECT_EQ(both.calls[1], (FontSize{36, 49}));

    // Already fitting: measured once, unchanged.
    FakeText fits;
    r = FitMenuTileFont({16, 30}, RECT{0, 0, 400, 70}, [&](FontSize f) { return fits(f); });
    EXPECT_EQ(r.font, (FontSize{16, 30}));
    EXPECT_EQ(fits.calls.size(), 1u);
}

TEST(MenuTileFit, TileTooSmallForAnyFontEndsAtTheSmallestFont) {
    FakeText text;
    FitResult r = FitMenuTileFont({37, 50}, RECT{0, 0, 8, 10}, [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
    EXPECT_LE(text.calls.size(), 51u);
}

TEST(ButtonCaptionFit, NarrowsFirstThenLowers) {
    FakeText text;
    FitResult r = FitButtonCaption({70, 70}, RECT{30, 320, 330, 380},
                                   [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{29, 50}));  // 290 <= 300 - 5, 50 <= 60 - 10
    // Every step of the width loop keeps the height; the height loop keeps the final width.
    bool heightPhase = false;
    for (size_t i = 1; i < text.calls.size(); ++i) {
        if (text.calls[i].height != 70) heightPhase = true;
        if (heightPhase) {
            EXPECT_EQ(text.calls[i].width, 29) << i;
        } else {
            EXPECT_EQ(text.calls[i].width, 70 - static_cast<int>(i)) << i;
        }
    }
    EXPECT_TRUE(heightPhase);

    FakeText wideEnough;
    r = FitButtonCaption({20, 40}, RECT{0, 0, 300, 100}, [&](FontSize f) { return wideEnough(f); });
    EXPECT_EQ(r.font, (FontSize{20, 40}));
    EXPECT_EQ(wideEnough.calls.size(), 1u);

    FakeText hopeless;
    r = FitButtonCaption({70, 70}, RECT{0, 0, 4, 4}, [&](FontSize f) { return hopeless(f); });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
}

TEST(Countdown, CaptionsElevenToZeroThenCloseOnTheLastOne) {
    Countdown c;
    for (int shown = 11; shown >= 0; --shown) {
        Countdown::Tick t = c.Next();
        ASSERT_TRUE(t.counted);
        EXPECT_EQ(t.caption, L"Any Key To Continue:" + std::to_wstring(shown));
        EXPECT_EQ(t.close, shown == 0) << shown;
    }
    EXPECT_FALSE(c.running());
    // A stray tick after the end neither changes the caption nor closes again.
    Countdown::Tick late = c.Next();
    EXPECT_FALSE(late.counted);
    EXPECT_FALSE(late.close);
}

TEST(Countdown, StoppedCountdownIgnoresQueuedTicks) {
    Countdown c;
    c.Next();
    c.Stop();
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(c.Next().counted);
    EXPECT_EQ(c.remaining(), 10);
}

}  // namespace
}  // namespace tessaly
