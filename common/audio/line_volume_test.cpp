#include "common/audio/line_volume.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_core_audio.h"

namespace audio {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr DWORD kVista = 6;

// The calls past the common opening (default endpoint, then the adapter behind it).
std::vector<std::string> AdapterCalls(const fake::World& world) {
    std::vector<std::string> calls;
    for (const std::string& call : world.log) {
        if (call.rfind("default", 0) != 0 && call.rfind("device", 0) != 0 && call.find("topology") == std::string::npos)
            calls.push_back(call);
    }
    return calls;
}

struct Expectation {
    const wchar_t* adapter;
    UINT subunits;
    int line;
    std::vector<std::string> calls;  // past the opening, for playback at level 50 with mute 1
    int levelUnit;                   // sub-unit whose level is checked, or -1
    float db;                        // playback table entry 10
};

TEST(LineVolumeTest, EachAdapterRowSetsItsSubunitsLevelAndItsNeighboursMute) {
    const wchar_t* k4397 = L"{1}.hdaudio\\func_01&ven_1106&dev_4397&subsys_1";
    const wchar_t* k0662 = L"{1}.hdaudio\\func_01&ven_10ec&dev_0662";
    const wchar_t* k0888 = L"{1}.hdaudio\\func_01&ven_10ec&dev_0888";
    const wchar_t* k10ec = L"{1}.hdaudio\\func_01&VEN_10EC&DEV_0269";  // compared in lower case
    const wchar_t* kUsb = L"{2}.usb\\vid_5a1e&pid_02b7&mi_00";
    const wchar_t* kOther = L"{1}.hdaudio\\func_01&ven_8086&dev_2668";
    const float general = 6.03125f;
    const float usb = 16.479401f;
    const std::vector<Expectation> rows = {
        {k4397, 12, 1, {"subunit 5", "level 5", "subunit 6", "mute 6 1"}, 5, general},
        {k4397, 12, 2, {"subunit 9", "level 9", "subunit 10", "mute 10 1"}, 9, general},
        {k4397, 12, 3, {"subunit 9", "level 9", "subunit 10", "mute 10 1"}, 9, general},
        {k4397, 12, 4, {}, -1, 0},
        {k4397, 3, 3, {}, -1, 0},
        // Sub-unit 2 of 3 has no neighbour above it: the level is set, the mute cannot be.
        {k4397, 3, 4, {"subunit 2", "level 2"}, 2, general},
        {k0662, 12, 1, {"subunit 6", "level 6", "subunit 5", "mute 5 1"}, 6, general},
        {k0662, 12, 2, {"subunit 8", "level 8", "subunit 7", "mute 7 1"}, 8, general},
        {k0662, 12, 3, {"subunit 1", "level 1", "subunit 0", "mute 0 1"}, 1, general},
        {k0888, 12, 1, {"subunit 8", "level 8", "subunit 7", "mute 7 1"}, 8, general},
        {k0888, 12, 2, {"subunit 10", "level 10", "subunit 9", "mute 9 1"}, 10, general},
        {k0888, 12, 4, {"subunit 1", "level 1", "subunit 0", "mute 0 1"}, 1, general},
        // Sub-unit 0 has no neighbour below it.
        {k10ec, 12, 2, {"subunit 0", "level 0"}, 0, general},
        {kUsb, 12, 1, {"subunit 2", "level 2", "subunit 3", "mute 3 1"}, 2, usb},
        {kUsb, 12, 2, {"subunit 2", "level 2", "subunit 3", "mute 3 1"}, 2, usb},
        {kUsb, 12, 3, {}, -1, 0},
        {kUsb, 12, 4, {"subunit 1", "level 1", "subunit 2", "mute 2 1"}, 1, usb},
        {kOther, 12, 3, {"subunit 0", "level 0", "subunit 1", "mute 1 1"}, 0, general},
        {kUsb, 12, 9, {"subunit 0", "level 0", "subunit 1", "mute 1 1"}, 0, usb},
        {k0662, 12, -3, {"subunit 0", "level 0"}, 0, general},
    };
    for (const Expectation& row : rows) {
        fake::World world(row.adapter, row.subunits);
        SCOPED_TRACE(testing::Message() << "adapter " << testing::PrintToString(std::wstring(row.adapter))
                                        << " sub-units " << row.subunits << " line " << row.line);
        const int status = SetLineVolumeOn(kVista, &world.enumerator, 50, row.line, 1, 1);
        EXPECT_THAT(world.log, testing::Contains("default render"));
        EXPECT_THAT(AdapterCalls(world), ElementsAreArray(row.calls));
        if (row.levelUnit >= 0) {
            const fake::VolumeLevel& level = world.Unit(static_cast<UINT>(row.levelUnit)).volume;
            EXPECT_FLOAT_EQ(level.setDb, row.db);
            EXPECT_EQ(level.rangeChannel, 1u);  // the range of the last channel
        }
        const bool muted = !row.calls.empty() && row.calls.back().rfind("mute", 0) == 0;
        EXPECT_EQ(status, row.calls.empty() || muted ? S_OK : E_INVALIDARG);
        EXPECT_THAT(world.Unbalanced(), IsEmpty());
    }
}

TEST(LineVolumeTest, OpensTheAdapterBehindTheDefaultEndpointOfTheDirection) {
    fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12);
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 10, 1, 0, 0), S_OK);
    EXPECT_THAT(world.log, ElementsAre("default capture", "device capture", "capture topology", "subunit 6",
                                       "level 6", "subunit 5", "mute 5 0"));
}

TEST(LineVolumeTest, RecordingLevelsAndTheUsbGainControl) {
    fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12);
    world.Unit(1).volume.minDb = 0.0f;
    world.Unit(1).volume.maxDb = 30.0f;
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 66, 3, 0, 1), S_OK);
    EXPECT_FLOAT_EQ(world.Unit(1).volume.setDb, 19.8f);
    EXPECT_THAT(AdapterCalls(world), ElementsAre("subunit 1", "level 1", "subunit 0", "mute 0 1"));

    // A range that does not start at 0 dB keeps the level inside it.
    world.Unit(1).volume.minDb = -12.0f;
    world.Unit(1).volume.maxDb = 12.0f;
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 25, 4, 0, 0), S_OK);
    EXPECT_FLOAT_EQ(world.Unit(1).volume.setDb, -6.0f);

    fake::World usb(L"{2}.usb\\vid_5a1e&pid_02b7&mi_00", 12);
    EXPECT_EQ(SetLineVolumeOn(kVista, &usb.enumerator, 66, 4, 0, 1), S_OK);
    EXPECT_EQ(SetLineVolumeOn(kVista, &usb.enumerator, 66, 4, 0, 0), S_OK);
    EXPECT_EQ(SetLineVolumeOn(kVista, &usb.enumerator, 10, 1, 0, 1), S_OK);
    EXPECT_EQ(SetLineVolumeOn(kVista, &usb.enumerator, 66, 3, 0, 0), S_OK);  // nothing on line 3
    EXPECT_THAT(AdapterCalls(usb), ElementsAre("subunit 1", "agc 1 0", "subunit 1", "agc 1 1", "subunit 2", "agc 2 0"));
    EXPECT_THAT(usb.Unbalanced(), IsEmpty());
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
}

TEST(LineVolumeTest, LevelOneHundredAndOneSetsOnlyTheMute) {
    fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12);
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 101, 1, 1, 1), S_OK);
    EXPECT_THAT(AdapterCalls(world), ElementsAre("subunit 6", "subunit 5", "mute 5 1"));

    // Other levels above 100 are the maximum.
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 150, 1, 1, 0), S_OK);
    EXPECT_FLOAT_EQ(world.Unit(6).volume.setDb, world.Unit(6).volume.maxDb);
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
}

TEST(LineVolumeTest, LineZeroStepsTheEndpointItself) {
    fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12, 11, 3);
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 100, 0, 0, 1), S_OK);
    EXPECT_THAT(world.log, ElementsAre("default capture", "capture register", "capture mute 1", "capture up",
                                       "capture up", "capture up", "capture up", "capture up", "capture up",
                                       "capture up", "capture unregister"));
    EXPECT_FALSE(IsEqualGUID(world.capture.volume.muteContext, GUID_NULL));
    EXPECT_EQ(world.render.volume.step, 3u);

    // 101 on line 0 is a level like any other above 100.
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 101, 0, 1, 0), S_OK);
    EXPECT_EQ(world.render.volume.step, 10u);
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
}

TEST(LineVolumeTest, AFailedCallEndsTheRoutineWithItsStatus) {
    fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0888", 12);
    world.Unit(8).volume.setResult = E_INVALIDARG;
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 50, 1, 1, 1), E_INVALIDARG);
    EXPECT_THAT(AdapterCalls(world), ElementsAre("subunit 8", "level 8"));  // no mute after a failed level

    world.Unit(8).volume.channels = 0;  // no channel to read a range from
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 50, 1, 1, 1), E_UNEXPECTED);

    world.enumerator.defaultResult = E_NOTFOUND;
    EXPECT_EQ(SetLineVolumeOn(kVista, &world.enumerator, 50, 1, 1, 1), E_NOTFOUND);

    fake::World small(L"{1}.hdaudio\\func_01&ven_10ec&dev_0888", 4);  // sub-unit 8 does not exist
    EXPECT_EQ(SetLineVolumeOn(kVista, &small.enumerator, 50, 1, 1, 1), E_INVALIDARG);
    EXPECT_THAT(AdapterCalls(small), IsEmpty());
    EXPECT_THAT(world.Unbalanced(), IsEmpty());
    EXPECT_THAT(small.Unbalanced(), IsEmpty());
}

TEST(LineVolumeTest, VersionSixAndLaterUseCoreAudioEarlierVersionsTheMixer) {
    for (DWORD version : {6u, 10u}) {
        fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12);
        SetLineVolumeOn(version, &world.enumerator, 50, 2, 1, 0);
        EXPECT_THAT(world.log, testing::Contains("mute 7 0")) << version;
    }
    for (DWORD version : {0u, 5u}) {
        fake::World world(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662", 12);
        EXPECT_EQ(SetLineVolumeOn(version, &world.enumerator, 50, 2, 1, 0), 0);
        EXPECT_EQ(SetLineVolumeOn(version, &world.enumerator, 50, 1, 0, 1), 0);
        EXPECT_THAT(world.log, IsEmpty()) << version;
        EXPECT_THAT(world.Unbalanced(), IsEmpty());
    }
}

}  // namespace
}  // namespace audio
