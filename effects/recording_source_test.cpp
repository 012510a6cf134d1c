#include "recording_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace sonorel {
namespace {

MIXERCONTROLDETAILS_LISTTEXTA Item(DWORD lineId, DWORD type) {
    MIXERCONTROLDETAILS_LISTTEXTA item{};
    item.dwParam1 = lineId;
    item.dwParam2 = type;
    return item;
}

TEST(RecordingSourceTest, ChoosesTheMicrophoneByComponentType) {
    // Line identifiers are the driver's; one of them happens to equal the microphone's type.
    const MIXERCONTROLDETAILS_LISTTEXTA items[] = {
        Item(kMicrophoneSource, MIXERLINE_COMPONENTTYPE_SRC_LINE),
        Item(0x10000, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC),
        Item(0x10001, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE),
        Item(0x10002, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT),
    };
    MIXERCONTROLDETAILS_BOOLEAN chosen[4] = {{7}, {7}, {7}, {7}};
    EXPECT_TRUE(ChooseRecordingItems(items, 4, kMicrophoneSource, chosen));
    EXPECT_EQ(chosen[0].fValue, 0);
    EXPECT_EQ(chosen[1].fValue, 0);
    EXPECT_EQ(chosen[2].fValue, 1);
    EXPECT_EQ(chosen[3].fValue, 0);
}

TEST(RecordingSourceTest, ChoosesOnlyTheFirstOfTwoMicrophonesAndReportsNone) {
    const MIXERCONTROLDETAILS_LISTTEXTA twoMics[] = {
        Item(1, MIXERLINE_COMPONENTTYPE_SRC_LINE),
        Item(2, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE),
        Item(3, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE),
    };
    MIXERCONTROLDETAILS_BOOLEAN chosen[3] = {{7}, {7}, {7}};
    EXPECT_TRUE(ChooseRecordingItems(twoMics, 3, kMicrophoneSource, chosen));
    EXPECT_EQ(chosen[0].fValue, 0);
    EXPECT_EQ(chosen[1].fValue, 1);
    EXPECT_EQ(chosen[2].fValue, 0);  // a multiplexer takes one choice

    const MIXERCONTROLDETAILS_LISTTEXTA noMic[] = {Item(1, MIXERLINE_COMPONENTTYPE_SRC_LINE)};
    EXPECT_FALSE(ChooseRecordingItems(noMic, 1, kMicrophoneSource, chosen));
    EXPECT_EQ(chosen[0].fValue, 0);
}

// Whatever mixer this machine has (often none, or one without a wave-in multiplexer), the
// selection is silent and leaves a readable multiplexer on the microphone if it has one.
TEST(RecordingSourceTest, MixerSelectionIsSilentOnThisMachine) {
    MixerRecordingSource().Select(kMicrophoneSource);
    uint32_t selected = 0;
    if (SelectedRecordingSource(selected)) {
        EXPECT_EQ(selected, kMicrophoneSource);
    }
}

// Stands in for the mixer's queries on whatever mixer 0 is: destination 0 is a wave-in line whose
// multiplexer offers line-in, microphone and CD. Notes the object flags and handles it was given.
struct MixerCalls {
    std::vector<DWORD> objectFlags;
    std::vector<HMIXEROBJ> objects;
    std::vector<DWORD> written;
} g_calls;

void Note(HMIXEROBJ mixer, DWORD flags) {
    g_calls.objects.push_back(mixer);
    g_calls.objectFlags.push_back(flags & 0xF0000000u);
}

MMRESULT WINAPI FakeLineInfo(HMIXEROBJ mixer, LPMIXERLINEA line, DWORD flags) {
    Note(mixer, flags);
    const DWORD destination = line->dwDestination;
    line->dwComponentType = destination == 0 ? MIXERLINE_COMPONENTTYPE_DST_WAVEIN : MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    line->dwLineID = 0xFFFF0000u + destination;
    line->cChannels = 2;
    line->cConnections = 3;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeLineControls(HMIXEROBJ mixer, LPMIXERLINECONTROLSA controls, DWORD flags) {
    Note(mixer, flags);
    controls->pamxctrl->dwControlID = 7;
    controls->pamxctrl->fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    controls->pamxctrl->cMultipleItems = 3;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeGetDetails(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags) {
    Note(mixer, flags);
    if ((flags & 0xF) != MIXER_GETCONTROLDETAILSF_LISTTEXT || details->cMultipleItems != 3) return MMSYSERR_ERROR;
    auto* items = static_cast<MIXERCONTROLDETAILS_LISTTEXTA*>(details->paDetails);
    items[0] = Item(1, MIXERLINE_COMPONENTTYPE_SRC_LINE);
    items[1] = Item(2, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
    items[2] = Item(3, MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeSetDetails(HMIXEROBJ mixer, LPMIXERCONTROLDETAILS details, DWORD flags) {
    Note(mixer, flags);
    const auto* values = static_cast<const MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails);
    for (DWORD i = 0; i < details->cChannels * details->cMultipleItems; ++i) g_calls.written.push_back(values[i].fValue);
    return MMSYSERR_NOERROR;
}

// The mixer is opened once and every query names it by its handle: with a device-number flag the
// mixer would read the handle's value as a device number.
TEST(RecordingSourceTest, EveryMixerCallNamesTheOpenedMixerByItsHandle) {
    if (mixerGetNumDevs() == 0) GTEST_SKIP() << "no mixer in this prefix (tools/pulse.sh gives it one)";
    static const MixerQueries fake = {FakeLineInfo, FakeLineControls, FakeGetDetails, FakeSetDetails};
    g_calls = {};
    InstallMixerQueries(&fake);
    MixerRecordingSource().Select(kMicrophoneSource);
    InstallMixerQueries(nullptr);

    ASSERT_GE(g_calls.objectFlags.size(), 4u);
    for (size_t i = 0; i < g_calls.objectFlags.size(); ++i) {
        EXPECT_EQ(g_calls.objectFlags[i], static_cast<DWORD>(MIXER_OBJECTF_HMIXER)) << i;
        EXPECT_NE(g_calls.objects[i], nullptr) << i;
        EXPECT_EQ(g_calls.objects[i], g_calls.objects[0]) << i;
    }
    // One uniform channel: the microphone alone is chosen.
    EXPECT_EQ(g_calls.written, (std::vector<DWORD>{0, 1, 0}));
}

}  // namespace
}  // namespace sonorel
