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
