#include "osd/system_volume.h"

#include <mmsystem.h>
#include <gtest/gtest.h>

#include "common/testing/fake_core_audio.h"

namespace osd {
namespace {

TEST(OsdEndpointState, ReadsTheDefaultRenderEndpointAndKeepsWhatCannotBeRead) {
    fake::World world(L"hdaudio\\func_01&ven_10ec&dev_0662", 12, /*stepCount*/ 35, /*step*/ 17);
    unsigned volume = 5;
    int muted = 1;
    ReadEndpointState(&world.enumerator, volume, muted);
    EXPECT_EQ(volume, 50u);  // 17 * 100 / 34
    EXPECT_EQ(muted, 1);     // this endpoint cannot report its mute

    // An endpoint that reports its mute but not its level: neither is taken.
    world.render.volume.reportsMute = true;
    world.render.volume.muted = FALSE;
    world.render.volume.stepInfoResult = E_NOTIMPL;
    ReadEndpointState(&world.enumerator, volume = 35, muted);
    EXPECT_EQ(volume, 35u);
    EXPECT_EQ(muted, 1);
    world.render.volume.stepInfoResult = S_OK;
    ReadEndpointState(&world.enumerator, volume, muted);
    EXPECT_EQ(volume, 50u);
    EXPECT_EQ(muted, 0);
    volume = 35;
    world.render.volume.stepCount = 1;  // a single step has no scale
    ReadEndpointState(&world.enumerator, volume, muted);
    EXPECT_EQ(volume, 35u);
    world.enumerator.defaultResult = E_NOTFOUND;
    ReadEndpointState(&world.enumerator, volume, muted);
    EXPECT_EQ(volume, 35u);
    EXPECT_TRUE(world.Unbalanced().empty());
}

TEST(OsdEndpointState, ApplyStepsTheRenderEndpointToTheLevelAndSetsTheMute) {
    fake::World world(L"usb\\vid_0000", 3, /*stepCount*/ 51, /*step*/ 10);
    {
        SystemVolume system(6, &world.enumerator);
        system.Apply(30, 1);  // target step 50 * 30 / 100 = 15
        EXPECT_EQ(world.render.volume.step, 15u);
        EXPECT_EQ(world.render.volume.stepCalls, 5);
        EXPECT_EQ(world.render.volume.muted, TRUE);
        EXPECT_EQ(world.render.volume.registered, nullptr);
        EXPECT_EQ(world.capture.volume.stepCalls, 0);

        unsigned volume = 0;
        int muted = 0;
        system.Read(volume, muted);
        EXPECT_EQ(volume, 30u);
    }
    EXPECT_TRUE(world.Unbalanced().empty());
}

// The older Windows path against the prefix's real mixer (Wine needs a sound server for it).
TEST(OsdMixerState, ReadsBackWhatTheVolumeKeysSet) {
    if (::mixerGetNumDevs() == 0) GTEST_SKIP() << "no mixer: no sound server for Wine";
    SystemVolume system(5);
    unsigned volume = 0;
    int muted = 1;
    for (unsigned level : {35u, 0u, 5u, 100u, 95u}) {
        system.Apply(level, 0);
        system.Read(volume, muted);
        EXPECT_EQ(volume, level);
        EXPECT_EQ(muted, 0);
    }
    system.Apply(40, 1);
    system.Read(volume, muted);
    EXPECT_EQ(volume, 40u);
    EXPECT_EQ(muted, 1);
    system.Apply(40, 0);
}

}  // namespace
}  // namespace osd
