#include "osd/osd_display.h"

#include <gtest/gtest.h>

namespace osd {
namespace {

TEST(OsdVolume, StepsInFivesAndStaysWithinRange) {
    EXPECT_EQ(VolumeAfterUp(97), 100u);
    EXPECT_EQ(VolumeAfterUp(100), 100u);
    EXPECT_EQ(VolumeAfterUp(0), 5u);
    EXPECT_EQ(VolumeAfterUp(4), 5u);
    EXPECT_EQ(VolumeAfterUp(33), 35u);
    EXPECT_EQ(VolumeAfterDown(3), 0u);
    EXPECT_EQ(VolumeAfterDown(0), 0u);
    EXPECT_EQ(VolumeAfterDown(100), 95u);
    EXPECT_EQ(VolumeAfterDown(52), 45u);

    unsigned v = 0;
    for (int i = 0; i < 25; ++i) v = VolumeAfterUp(v);
    EXPECT_EQ(v, 100u);
    for (int i = 0; i < 25; ++i) v = VolumeAfterDown(v);
    EXPECT_EQ(v, 0u);
}

TEST(OsdVolume, BarBitmapFollowsTheVolumeAndMute) {
    EXPECT_EQ(VolumeBitmap(0, 0), 129);
    EXPECT_EQ(VolumeBitmap(4, 0), 129);
    EXPECT_EQ(VolumeBitmap(5, 0), 150);
    EXPECT_EQ(VolumeBitmap(50, 0), 141);
    EXPECT_EQ(VolumeBitmap(100, 0), 131);
    EXPECT_EQ(VolumeBitmap(105, 0), 129);
    for (unsigned v : {0u, 5u, 100u}) EXPECT_EQ(VolumeBitmap(v, 1), 130) << v;
    // Each step of five lights one more segment: one bitmap lower, never the mute picture.
    for (unsigned v = 5; v < 100; v += 5) EXPECT_EQ(VolumeBitmap(v + 5, 0), VolumeBitmap(v, 0) - 1) << v;
}

TEST(OsdPictures, EachCodeHasItsPicture) {
    const int expected[] = {185, 191, 190, 193, 194, 192, 187, 189, 196, 195, 0, 0, 183, 184, 186};
    for (unsigned code = 0; code <= kLastPictureCode; ++code) EXPECT_EQ(PictureForCode(code), expected[code]) << code;
    EXPECT_EQ(PictureForCode(15), 0);
    EXPECT_EQ(PictureForCode(0xFFFFFFFFu), 0);
}

TEST(OsdEndpointPercent, StepsScaleToPercentAndDegenerateEndpointsGiveNothing) {
    EXPECT_EQ(PercentFromSteps(0, 51), 0u);
    EXPECT_EQ(PercentFromSteps(25, 51), 50u);
    EXPECT_EQ(PercentFromSteps(50, 51), 100u);
    EXPECT_EQ(PercentFromSteps(1, 3), 50u);
    EXPECT_EQ(PercentFromSteps(7, 3), 100u);  // a step past the end counts as the top
    EXPECT_EQ(PercentFromSteps(0, 1), std::nullopt);
    EXPECT_EQ(PercentFromSteps(0, 0), std::nullopt);
    EXPECT_EQ(PercentFromSteps(0xFFFFFFFEu, 0xFFFFFFFFu), 100u);
}

TEST(OsdMixerPercent, EveryLevelSurvivesTheMixerRoundTrip) {
    for (DWORD max : {65535ul, 100ul, 255ul, 0xFFFFFFFFul}) {
        for (unsigned level = 0; level <= 100; ++level) {
            const DWORD stored = static_cast<DWORD>(static_cast<unsigned long long>(level) * max / 100);
            EXPECT_EQ(PercentFromMixerValue(stored, max), level) << max << " " << level;
        }
    }
    EXPECT_EQ(PercentFromMixerValue(70000, 65535), 100u);
    EXPECT_EQ(PercentFromMixerValue(0, 0), std::nullopt);
}

}  // namespace
}  // namespace osd
