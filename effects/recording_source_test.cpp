#include "recording_source.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sonorel
