#include "launcher/model/page_turn_geometry.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

std::vector<float> LeftEdges(const std::vector<TurnFrame>& frames) {
    std::vector<float> xs;
    for (const TurnFrame& f : frames) xs.push_back(f.p0.x);
    return xs;
}

int SwitchIndex(const std::vector<TurnFrame>& frames) {
    int found = -1;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].switching) {
            EXPECT_EQ(found, -1) << "a second switching frame at " << i;
            found = static_cast<int>(i);
        }
        EXPECT_EQ(frames[i].incoming, found >= 0) << "frame " << i;
    }
    return found;
}

TEST(PageTurnGeometry, ScreenTransitionFoldsEightAndUnfoldsEightFramesThroughTheCentre) {
    auto frames =
        TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 1280, 1024), 1280, 1024, 1);
    std::vector<float> expected = {-555, -470, -385, -300, -215, -130, -45,  40,
                                   -45,  -130, -215, -300, -385, -470, -555, -640};
    EXPECT_EQ(LeftEdges(frames), expected);
    EXPECT_EQ(SwitchIndex(frames), 8);  // the switching frame already unfolds
    for (const TurnFrame& f : frames) {
        EXPECT_EQ(f.p1.x, -f.p0.x);  // folds about the centre line
        EXPECT_EQ(f.p2.x, f.p0.x);
        EXPECT_EQ(f.p2.y, 1024.0f);  // the lower edge stays where it is
    }

    // 1920 x 1080: 128-pixel steps, the same 16 frames, back at rest in the last one.
    frames = TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 1920, 1080), 1920, 1080, 0);
    ASSERT_EQ(frames.size(), 16u);
    EXPECT_EQ(frames[7].p0.x, 64.0f);
    EXPECT_EQ(frames[8].p0.x, -64.0f);
    EXPECT_EQ(frames.back().p0.x, -960.0f);
    EXPECT_EQ(frames.back().p0.y, 0.0f);
    EXPECT_EQ(frames.back().p1.y, 0.0f);
}

TEST(PageTurnGeometry, PictureFlipSwitchesInTheFourteenthFrameWhichStillFolds) {
    auto frames =
        TurnFrames(TurnVariant::kPictureFlip, FlipPlacement(1280, 1024, 1280, 1024), 1280, 1024, 0);
    ASSERT_EQ(frames.size(), 28u);
    EXPECT_EQ(SwitchIndex(frames), 13);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(frames[i].p0.x, -590.0f + 50.0f * i) << i;
    EXPECT_EQ(frames[13].p0.x, 60.0f);  // mirrored: upper right is left of upper left
    EXPECT_LT(frames[13].p1.x, frames[13].p0.x);
    for (int i = 14; i < 28; ++i) EXPECT_EQ(frames[i].p0.x, 10.0f - 50.0f * (i - 14)) << i;
    EXPECT_EQ(frames.back().p0.x, -640.0f);
    // The flip always tilts as direction 1: upper left up while folding, back flat at the end.
    EXPECT_EQ(frames[0].p0.y, -5.0f);
    EXPECT_EQ(frames[0].p1.y, 5.0f);
    EXPECT_EQ(frames[13].p1.y, 70.0f);
    EXPECT_EQ(frames.back().p0.y, 0.0f);
    EXPECT_EQ(frames.back().p1.y, 0.0f);

    // 1920 wide: 75-pixel steps, still 13 + 1 + 14.
    frames =
        TurnFrames(TurnVariant::kPictureFlip, FlipPlacement(4000, 3000, 1920, 1080), 1920, 1080, 1);
    ASSERT_EQ(frames.size(), 28u);
    EXPECT_EQ(SwitchIndex(frames), 13);
    EXPECT_EQ(frames.back().p0.x, -960.0f);
}

TEST(PageTurnGeometry, TiltFollowsTheDirectionAndTheUpperRightCornerIsClamped) {
    auto down = TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 1280, 1024), 1280, 1024, 0);
    auto up = TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 1280, 1024), 1280, 1024, 1);
    ASSERT_EQ(down.size(), 16u);
    ASSERT_EQ(up.size(), 16u);
    for (size_t i = 0; i < 16; ++i) {
        float depth = 5.0f * static_cast<float>(i < 8 ? i + 1 : 15 - i);
        EXPECT_EQ(down[i].p0.y, depth) << i;
        EXPECT_EQ(down[i].p1.y, -depth) << i;
        EXPECT_EQ(up[i].p0.y, -depth) << i;
        EXPECT_EQ(up[i].p1.y, depth) << i;
    }

    // A picture placed below the top: direction 0 pulls the upper right corner to 0 at once.
    auto lowered =
        TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(100, 1280, 1024), 1280, 1024, 0);
    EXPECT_EQ(lowered[0].p0.y, 105.0f);
    EXPECT_EQ(lowered[0].p1.y, 0.0f);
    EXPECT_EQ(lowered[1].p1.y, -5.0f);
    // Above the top, direction 1 does the same from the other side.
    auto raised =
        TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(-100, 1280, 1024), 1280, 1024, 1);
    EXPECT_EQ(raised[0].p1.y, 0.0f);
    EXPECT_EQ(raised[1].p1.y, 5.0f);
    EXPECT_EQ(raised[15].p1.y, 0.0f);

    // The flip clamps only while unfolding: a picture above the top keeps its corner while folding.
    TurnPlacement high{-640, -30, 1280, 1024};
    auto flip = TurnFrames(TurnVariant::kPictureFlip, high, 1280, 1024, 1);
    ASSERT_EQ(flip.size(), 28u);
    EXPECT_EQ(flip[0].p1.y, -25.0f);
    EXPECT_EQ(flip[13].p1.y, 40.0f);
    for (size_t i = 14; i < flip.size(); ++i) EXPECT_GE(flip[i].p1.y, 0.0f) << i;
    EXPECT_EQ(flip.back().p1.y, 0.0f);
}

TEST(PageTurnGeometry, PlacementCentresSmallPicturesAndSqueezesLargeOnesPerAxis) {
    TurnPlacement small = FlipPlacement(200, 100, 1280, 1024);
    EXPECT_EQ(small.x0, -100.0f);
    EXPECT_EQ(small.w, 200.0f);
    EXPECT_EQ(small.y0, 462.0f);
    EXPECT_EQ(small.h, 100.0f);

    TurnPlacement wide = FlipPlacement(3000, 301, 1280, 1024);  // aspect ratio not kept
    EXPECT_EQ(wide.x0, -640.0f);
    EXPECT_EQ(wide.w, 1280.0f);
    EXPECT_EQ(wide.y0, 361.0f);
    EXPECT_EQ(wide.h, 301.0f);

    TurnPlacement tall = FlipPlacement(101, 5000, 1280, 1024);
    EXPECT_EQ(tall.x0, -50.0f);
    EXPECT_EQ(tall.w, 101.0f);
    EXPECT_EQ(tall.y0, 0.0f);
    EXPECT_EQ(tall.h, 1024.0f);

    // A narrow picture turns in few frames and ends at rest.
    auto frames =
        TurnFrames(TurnVariant::kPictureFlip, FlipPlacement(200, 100, 1280, 1024), 1280, 1024, 1);
    EXPECT_EQ(LeftEdges(frames), (std::vector<float>{-50, 0, 50, 0, -50, -100}));
    EXPECT_EQ(SwitchIndex(frames), 2);
    EXPECT_EQ(frames.back().p0.y, 462.0f);

    // Pictures without size still switch and end.
    frames = TurnFrames(TurnVariant::kPictureFlip, FlipPlacement(0, 0, 1280, 1024), 1280, 1024, 1);
    EXPECT_EQ(SwitchIndex(frames), 0);
    EXPECT_LE(frames.size(), 3u);
}

TEST(PageTurnGeometry, ScreensTooNarrowToStepGiveNoFramesAndEveryRunIsBounded) {
    EXPECT_TRUE(
        TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 14, 10), 14, 10, 0).empty());
    EXPECT_TRUE(
        TurnFrames(TurnVariant::kPictureFlip, FlipPlacement(5, 5, 25, 10), 25, 10, 0).empty());
    EXPECT_EQ(TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(0, 15, 10), 15, 10, 0).size(),
              10u);
    // A placement far wider than the screen would need thousands of one-pixel steps.
    TurnPlacement huge{-100000, 0, 200000, 10};
    EXPECT_EQ(TurnFrames(TurnVariant::kPictureFlip, huge, 26, 10, 1).size(),
              static_cast<size_t>(kMaxTurnFrames));
}

}  // namespace
}  // namespace tessaly
