#include "common/audio/adapter.h"

#include <gtest/gtest.h>

namespace audio {
namespace {

TEST(AdapterTest, RecognisesAdaptersInRowOrderAndIgnoresAMatchAtTheStart) {
    EXPECT_EQ(RecogniseAdapter(L"{1}.hdaudio\\func_01&ven_1106&dev_4397&subsys_1"), AdapterKind::Ven1106Dev4397);
    EXPECT_EQ(RecogniseAdapter(L"{1}.hdaudio\\func_01&ven_10ec&dev_0662"), AdapterKind::Ven10ecDev0662);
    EXPECT_EQ(RecogniseAdapter(L"{1}.hdaudio\\func_01&ven_10ec&dev_0888"), AdapterKind::Ven10ecDev0888);
    EXPECT_EQ(RecogniseAdapter(L"{1}.hdaudio\\func_01&ven_10ec&dev_0269"), AdapterKind::Ven10ecOther);
    EXPECT_EQ(RecogniseAdapter(L"{1}.usb\\vid_5a1e&pid_02b7&mi_00"), AdapterKind::Vid5a1ePid02b7);
    EXPECT_EQ(RecogniseAdapter(L"{1}.hdaudio\\func_01&ven_8086&dev_2668"), AdapterKind::Other);
    EXPECT_EQ(RecogniseAdapter(L""), AdapterKind::Other);

    // The first row found decides; "dev_0662" wins over "dev_0888" within the 10ec rows.
    EXPECT_EQ(RecogniseAdapter(L"x ven_10ec ven_1106&dev_4397"), AdapterKind::Ven1106Dev4397);
    EXPECT_EQ(RecogniseAdapter(L"x ven_10ec dev_0888 dev_0662"), AdapterKind::Ven10ecDev0662);
    EXPECT_EQ(RecogniseAdapter(L"x vid_5a1e&pid_02b7 ven_10ec"), AdapterKind::Ven10ecOther);

    // A string found at the very first character does not count (only its first place is looked at).
    EXPECT_EQ(RecogniseAdapter(L"ven_10ec&dev_0662"), AdapterKind::Other);
    EXPECT_EQ(RecogniseAdapter(L"ven_10ec&dev_0662 ven_10ec"), AdapterKind::Other);
    EXPECT_EQ(RecogniseAdapter(L"xven_10ec&dev_0662"), AdapterKind::Ven10ecDev0662);
    EXPECT_EQ(RecogniseAdapter(L"vid_5a1e&pid_02b7"), AdapterKind::Other);
}

TEST(AdapterTest, SubunitTableByLine) {
    struct Row {
        AdapterKind kind;
        UINT count;
        std::optional<UINT> lines[4];
    };
    const std::optional<UINT> none;
    const Row rows[] = {
        {AdapterKind::Ven1106Dev4397, 12, {5u, 9u, 9u, none}},
        {AdapterKind::Ven1106Dev4397, 3, {5u, 9u, none, 2u}},
        {AdapterKind::Ven10ecDev0662, 12, {6u, 8u, 1u, 1u}},
        {AdapterKind::Ven10ecDev0888, 12, {8u, 10u, 1u, 1u}},
        {AdapterKind::Ven10ecOther, 12, {0u, 0u, 0u, 0u}},
        {AdapterKind::Vid5a1ePid02b7, 12, {2u, 2u, none, 1u}},
        {AdapterKind::Other, 12, {0u, 0u, 0u, 0u}},
    };
    for (const Row& row : rows) {
        for (unsigned line = 1; line <= 4; ++line) {
            EXPECT_EQ(LevelSubunit(row.kind, line, row.count), row.lines[line - 1])
                << "kind " << static_cast<int>(row.kind) << " count " << row.count << " line " << line;
        }
        // Line codes above 4 select sub-unit 0, even where line 3 or 4 does nothing.
        EXPECT_EQ(LevelSubunit(row.kind, 5, row.count), std::optional<UINT>(0u));
        EXPECT_EQ(LevelSubunit(row.kind, 4000000000u, row.count), std::optional<UINT>(0u));
    }
}

TEST(AdapterTest, MuteSitsBesideTheLevelAndStaysInsideTheTopology) {
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven10ecDev0662, 6, 12), std::optional<UINT>(5u));
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven10ecOther, 1, 12), std::optional<UINT>(0u));
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven1106Dev4397, 5, 12), std::optional<UINT>(6u));
    EXPECT_EQ(MuteSubunit(AdapterKind::Vid5a1ePid02b7, 2, 12), std::optional<UINT>(3u));
    EXPECT_EQ(MuteSubunit(AdapterKind::Other, 0, 12), std::optional<UINT>(1u));
    // Index 0 has nothing below it; the last sub-unit has nothing above it.
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven10ecOther, 0, 12), std::nullopt);
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven1106Dev4397, 2, 3), std::nullopt);
    EXPECT_EQ(MuteSubunit(AdapterKind::Other, 0, 1), std::nullopt);
    EXPECT_EQ(MuteSubunit(AdapterKind::Ven10ecDev0888, 20, 12), std::nullopt);
    EXPECT_EQ(MuteSubunit(AdapterKind::Other, 0xFFFFFFFFu, 12), std::nullopt);
}

TEST(AdapterTest, LevelsAreClampedExceptMuteOnly) {
    EXPECT_EQ(NormaliseLevel(-1), 0u);
    EXPECT_EQ(NormaliseLevel(0), 0u);
    EXPECT_EQ(NormaliseLevel(66), 66u);
    EXPECT_EQ(NormaliseLevel(100), 100u);
    EXPECT_EQ(NormaliseLevel(101), kMuteOnly);
    EXPECT_EQ(NormaliseLevel(102), 100u);
    EXPECT_EQ(NormaliseLevel(0x7FFFFFFF), 100u);
}

TEST(AdapterTest, PlaybackTablesRunFromTheControlsMinimumToItsMaximum) {
    const float min = -40.0f;
    const float max = 30.0f;
    for (AdapterKind kind : {AdapterKind::Vid5a1ePid02b7, AdapterKind::Ven10ecDev0662, AdapterKind::Other}) {
        EXPECT_FLOAT_EQ(PlaybackLevelDb(kind, 0, min, max), min);
        EXPECT_FLOAT_EQ(PlaybackLevelDb(kind, 4, min, max), min);
        EXPECT_FLOAT_EQ(PlaybackLevelDb(kind, 100, min, max), max);
        // Out-of-range levels never reach past the last entry.
        EXPECT_FLOAT_EQ(PlaybackLevelDb(kind, 101, min, max), max);
        EXPECT_FLOAT_EQ(PlaybackLevelDb(kind, 4000000000u, min, max), max);
    }
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Vid5a1ePid02b7, 5, min, max), -3.520599f);
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Vid5a1ePid02b7, 49, min, max), 15.369049f);
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Vid5a1ePid02b7, 99, min, max), 22.054459f);
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Ven1106Dev4397, 5, min, max), -13.25f);
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Ven10ecOther, 50, min, max), 6.03125f);
    EXPECT_FLOAT_EQ(PlaybackLevelDb(AdapterKind::Other, 95, min, max), 11.5625f);
}

TEST(AdapterTest, RecordingLevelIsAShareOfTheControlsRange) {
    EXPECT_FLOAT_EQ(RecordingLevelDb(66, 0.0f, 30.0f), 19.8f);
    EXPECT_FLOAT_EQ(RecordingLevelDb(0, -12.0f, 12.0f), -12.0f);
    EXPECT_FLOAT_EQ(RecordingLevelDb(50, -12.0f, 12.0f), 0.0f);
    EXPECT_FLOAT_EQ(RecordingLevelDb(100, -12.0f, 12.0f), 12.0f);
    EXPECT_FLOAT_EQ(RecordingLevelDb(250, -12.0f, 12.0f), 12.0f);
}

}  // namespace
}  // namespace audio
