#include "sonorel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "effects_handle.h"
#include "recording_source.h"
#include "simulated_driver.h"

namespace sonorel {
namespace {

// Notes each recording-source request together with how many driver requests preceded it.
class RecordingSourceSpy final : public RecordingSource {
public:
    explicit RecordingSourceSpy(const SimulatedDriver& driver) : driver_(driver) {}
    void Select(uint32_t sourceType) override {
        calls.push_back({sourceType, driver_.Requests().size()});
    }
    struct Call {
        uint32_t source;
        size_t requestsBefore;
    };
    std::vector<Call> calls;

private:
    const SimulatedDriver& driver_;
};

class EffectsTest : public ::testing::Test {
protected:
    EffectsTest() : transport(driver), spy(driver), source(spy) {}
    void SetUp() override {
        ASSERT_EQ(TAVISUP_GetInterface(&handle), 1);
        driver.ClearRequests();
    }
    void TearDown() override { TAVISUP_ReleaseInterface(&handle); }

    // The writes the driver answered, as (property, selector, value).
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const auto& r : driver.Requests()) {
            if (r.Header().flags != kRequestSet || r.dataSize != 8 || !r.answered) continue;
            const PropertyItem item = r.Item();
            if (item.selector & kReadSelection) continue;
            writes.push_back(std::to_string(r.Header().id) + ":" + std::to_string(item.selector) +
                             "=" + std::to_string(item.value));
        }
        return writes;
    }

    SimulatedDriver driver;
    ScopedTransport transport;
    RecordingSourceSpy spy;
    ScopedRecordingSource source;
    EffectsHandle* handle = nullptr;
};

TEST_F(EffectsTest, InterfaceIsFoundStoredAndReleasedOnce) {
    EXPECT_EQ(handle->kind, kKindEffects);
    EXPECT_STREQ(reinterpret_cast<const char*>(handle->pathRecord + kPathOffset),
                 SimulatedDriver::kEffectsPath);

    EffectsHandle* second = handle;
    TAVISUP_ReleaseInterface(&handle);
    EXPECT_EQ(handle, nullptr);
    TAVISUP_ReleaseInterface(&handle);
    TAVISUP_ReleaseInterface(nullptr);
    EXPECT_EQ(TAVISUP_GetInterface(nullptr), 0);

    driver.RemoveAll();
    handle = second;  // a stale value the caller forgot to clear
    EXPECT_EQ(TAVISUP_GetInterface(&handle), 0);
    EXPECT_EQ(handle, nullptr);
}

TEST_F(EffectsTest, NullHandleFailsEverywhereWithoutRequests) {
    int value = 7;
    int gains[TAVISUP_EQ_BANDS] = {};
    EffectsHandle* none = nullptr;
    const std::vector<std::function<int()>> calls = {
        [&] { return TAVISUP_SetEQGain(none, gains); },
        [&] { return TAVISUP_GetEQGain(none, gains); },
        [&] { return TAVISUP_SetEQStatus(none, 1); },
        [&] { return TAVISUP_GetEQStatus(none, &value); },
        [&] { return TAVISUP_SetEQMode(none, 1); },
        [&] { return TAVISUP_GetEQMode(none, &value); },
        [&] { return TAVISUP_SetEnvMode(none, 1); },
        [&] { return TAVISUP_GetEnvMode(none, &value); },
        [&] { return TAVISUP_SetRoomSize(none, 1); },
        [&] { return TAVISUP_GetRoomSize(none, &value); },
        [&] { return TAVISUP_SetKaraokeState(none, 1); },
        [&] { return TAVISUP_GetKaraokeState(none, &value); },
        [&] { return TAVISUP_SetKaraokeMicEffectState(none, 1); },
        [&] { return TAVISUP_GetKaraokeMicEffectState(none, &value); },
        [&] { return TAVISUP_SetKaraokeMicEffectMode(none, 1); },
        [&] { return TAVISUP_GetKaraokeMicEffectMode(none, &value); },
        [&] { return TAVISUP_SetMicEchoLevel(none, 1); },
        [&] { return TAVISUP_GetMicEchoLevel(none, &value); },
        [&] { return TAVISUP_SetMagicVoiceMode(none, 1); },
        [&] { return TAVISUP_GetMagicVoiceMode(none, &value); },
        [&] { return TAVISUP_SetKeyShiftState(none, 1); },
        [&] { return TAVISUP_GetKeyShiftState(none, &value); },
        [&] { return TAVISUP_SetKeyShiftLevel(none, 1); },
        [&] { return TAVISUP_GetKeyShiftLevel(none, &value); },
        [&] { return TAVISUP_SetVocalCancellationState(none, 1); },
        [&] { return TAVISUP_GetVocalCancellationState(none, &value); },
        [&] { return TAVISUP_SetVocalCancellationLevel(none, 1); },
        [&] { return TAVISUP_GetVocalCancellationLevel(none, &value); },
    };
    for (size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i](), 0) << "call " << i;
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(driver.Requests().empty());
    EXPECT_TRUE(spy.calls.empty());

    // Missing out arguments fail the same way.
    EXPECT_EQ(TAVISUP_GetEQGain(handle, nullptr), 0);
    EXPECT_EQ(TAVISUP_SetEQGain(handle, nullptr), 0);
    EXPECT_EQ(TAVISUP_GetKeyShiftLevel(handle, nullptr), 0);
    EXPECT_EQ(TAVISUP_GetMicEchoLevel(handle, nullptr), 0);
    EXPECT_EQ(TAVISUP_GetEnvMode(handle, nullptr), 0);
    EXPECT_TRUE(driver.Requests().empty());
}

TEST_F(EffectsTest, PresetsAreTruncatedAndRecognised) {
    ASSERT_EQ(TAVISUP_SetEQMode(handle, 1), 1);
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 0), 734003);    // 11.2 dB
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 5), -367001);   // -5.6 dB
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 8), -104857);   // -1.6 dB

    // Band 0 of every preset, converted by hand, so a wrong table row cannot hide behind the
    // write-then-recognise round trip below.
    const int band0[TAVISUP_EQ_PRESETS] = {0,      734003,  340787, -629145, -393216, 393216,
                                           340787, -550502, 812646, -838860, 0,       -865075};
    for (int preset = 0; preset < TAVISUP_EQ_PRESETS; ++preset) {
        ASSERT_EQ(TAVISUP_SetEQMode(handle, preset), 1);
        EXPECT_EQ(driver.Item(kPropertyEqualiser, 0), band0[preset]) << "preset " << preset;
        int reported = -1;
        ASSERT_EQ(TAVISUP_GetEQMode(handle, &reported), 1);
        EXPECT_EQ(reported, preset);
    }

    ASSERT_EQ(TAVISUP_SetEQMode(handle, 3), 1);
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 9), 917504);  // 14 dB
    ASSERT_EQ(TAVISUP_SetEQMode(handle, 7), 1);
    EXPECT_EQ(driver.Item(kPropertyEqualiser, 9), 52428);   // 0.8 dB

    driver.ClearRequests();
    EXPECT_EQ(TAVISUP_SetEQMode(handle, 12), 0);
    EXPECT_EQ(TAVISUP_SetEQMode(handle, -1), 0);
    EXPECT_TRUE(driver.Requests().empty());
}

TEST_F(EffectsTest, GainsMatchingNoPresetOrUnreadableBand) {
    ASSERT_EQ(TAVISUP_SetEQMode(handle, 3), 1);
    driver.Poke(kPropertyEqualiser, 9, driver.Item(kPropertyEqualiser, 9) + 1);
    int mode = -1;
    ASSERT_EQ(TAVISUP_GetEQMode(handle, &mode), 1);
    EXPECT_EQ(mode, TAVISUP_EQ_NO_PRESET);

    driver.Refuse(kPropertyEqualiser, kRequestGet, 4);
    mode = 99;
    EXPECT_EQ(TAVISUP_GetEQMode(handle, &mode), 0);
    EXPECT_EQ(mode, 99);

    int gains[TAVISUP_EQ_BANDS];
    for (int& g : gains) g = 5;
    EXPECT_EQ(TAVISUP_GetEQGain(handle, gains), 0);
    EXPECT_EQ(gains[4], 0);
    EXPECT_EQ(gains[3], -393216);  // -6 dB: the other bands are still read
    EXPECT_EQ(gains[9], driver.Item(kPropertyEqualiser, 9));
}

TEST_F(EffectsTest, EqualiserWriteStopsAtTheFirstRefusedBand) {
    const int gains[TAVISUP_EQ_BANDS] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    driver.Refuse(kPropertyEqualiser, kRequestSet, 6);
    EXPECT_EQ(TAVISUP_SetEQGain(handle, gains), 0);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"9:0=10", "9:1=11", "9:2=12", "9:3=13",
                                                   "9:4=14", "9:5=15"}));
    EXPECT_EQ(driver.Requests().size(), 7u);  // band 7 and later are not tried
}

TEST_F(EffectsTest, ByteItemsSendOnlyTheLowByte) {
    ASSERT_EQ(TAVISUP_SetEQStatus(handle, 0x1FF), 1);
    const auto& sent = driver.Requests().back();
    ASSERT_EQ(sent.data.size(), 8u);
    EXPECT_EQ(sent.data[4], 0xFF);
    EXPECT_EQ(sent.data[5], 0);
    EXPECT_EQ(sent.data[6], 0);
    EXPECT_EQ(sent.data[7], 0);

    driver.Poke(kPropertyKaraoke, kVocalCancelState, 0x1234);  // stray upper bits
    driver.Poke(kPropertyKaraoke, kVocalCancelLevel, 0x1234);
    int state = 0, level = 0;
    ASSERT_EQ(TAVISUP_GetVocalCancellationState(handle, &state), 1);
    ASSERT_EQ(TAVISUP_GetVocalCancellationLevel(handle, &level), 1);
    EXPECT_EQ(state, 0x34);
    EXPECT_EQ(level, 0x1234);
}

TEST_F(EffectsTest, WordItemsLandInTheirOwnItems) {
    ASSERT_EQ(TAVISUP_SetKaraokeMicEffectMode(handle, 1), 1);
    ASSERT_EQ(TAVISUP_SetMagicVoiceMode(handle, 3), 1);
    ASSERT_EQ(TAVISUP_SetKeyShiftState(handle, 1), 1);
    ASSERT_EQ(TAVISUP_SetKeyShiftLevel(handle, -4), 1);
    ASSERT_EQ(TAVISUP_SetVocalCancellationState(handle, 1), 1);
    ASSERT_EQ(TAVISUP_SetVocalCancellationLevel(handle, 50), 1);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:1=1", "24:4=3", "16:1=1", "16:2=-4",
                                                   "16:3=1", "16:4=50"}));
    int mode = 0, magic = 0, shift = 0, level = 0;
    EXPECT_EQ(TAVISUP_GetKaraokeMicEffectMode(handle, &mode), 1);
    EXPECT_EQ(TAVISUP_GetMagicVoiceMode(handle, &magic), 1);
    EXPECT_EQ(TAVISUP_GetKeyShiftState(handle, &shift), 1);
    EXPECT_EQ(TAVISUP_GetKeyShiftLevel(handle, &level), 1);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(magic, 3);
    EXPECT_EQ(shift, 1);
    EXPECT_EQ(level, -4);
}

TEST_F(EffectsTest, EnvironmentModeAndRoomSize) {
    driver.SetEnvironment({3, 40});
    EXPECT_EQ(TAVISUP_SetEnvMode(handle, 29), 0);
    EXPECT_TRUE(driver.Requests().empty());

    ASSERT_EQ(TAVISUP_SetEnvMode(handle, 28), 1);
    EXPECT_EQ(driver.Environment().mode, 28);
    EXPECT_EQ(driver.Environment().roomSize, 40);
    int mode = -1, size = -1;
    ASSERT_EQ(TAVISUP_GetEnvMode(handle, &mode), 1);
    EXPECT_EQ(mode, 0);

    ASSERT_EQ(TAVISUP_SetEnvMode(handle, 12), 1);
    ASSERT_EQ(TAVISUP_SetRoomSize(handle, 75), 1);
    ASSERT_EQ(TAVISUP_GetEnvMode(handle, &mode), 1);
    ASSERT_EQ(TAVISUP_GetRoomSize(handle, &size), 1);
    EXPECT_EQ(mode, 12);
    EXPECT_EQ(size, 75);

    // Without the current settings nothing is written back.
    driver.Refuse(kPropertyEnvironment, kRequestGet);
    driver.ClearRequests();
    EXPECT_EQ(TAVISUP_SetRoomSize(handle, 10), 0);
    EXPECT_EQ(TAVISUP_SetEnvMode(handle, 1), 0);
    EXPECT_EQ(driver.Requests().size(), 2u);
    EXPECT_EQ(driver.Environment().roomSize, 75);
}

TEST_F(EffectsTest, EchoLevelIsScaledBothWays) {
    ASSERT_EQ(TAVISUP_SetMicEchoLevel(handle, 3), 1);
    EXPECT_EQ(driver.Item(kPropertyMicrophone, kMicEchoLevel), 196608);
    ASSERT_EQ(TAVISUP_SetMicEchoLevel(handle, -12), 1);
    EXPECT_EQ(driver.Item(kPropertyMicrophone, kMicEchoLevel), -786432);

    int level = 99;
    driver.Poke(kPropertyMicrophone, kMicEchoLevel, 131071);
    ASSERT_EQ(TAVISUP_GetMicEchoLevel(handle, &level), 1);
    EXPECT_EQ(level, 1);
    driver.Poke(kPropertyMicrophone, kMicEchoLevel, -131071);
    ASSERT_EQ(TAVISUP_GetMicEchoLevel(handle, &level), 1);
    EXPECT_EQ(level, -1);

    driver.Refuse(kPropertyMicrophone, kRequestGet, kMicEchoLevel);
    level = 99;
    EXPECT_EQ(TAVISUP_GetMicEchoLevel(handle, &level), 0);
    EXPECT_EQ(level, 0);

    // Beyond what fits in the 16.16 word: refused, nothing sent.
    driver.ClearRequests();
    EXPECT_EQ(TAVISUP_SetMicEchoLevel(handle, 32768), 0);
    EXPECT_EQ(TAVISUP_SetMicEchoLevel(handle, -32769), 0);
    EXPECT_TRUE(driver.Requests().empty());
    EXPECT_EQ(TAVISUP_SetMicEchoLevel(handle, -32768), 1);
}

TEST_F(EffectsTest, KaraokeOnSelectsTheMicrophoneFirst) {
    ASSERT_EQ(TAVISUP_SetKaraokeState(handle, 1), 1);
    ASSERT_EQ(spy.calls.size(), 1u);
    EXPECT_EQ(spy.calls[0].source, 4099u);
    EXPECT_EQ(spy.calls[0].requestsBefore, 0u);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:0=1", "16:0=1"}));

    driver.ClearRequests();
    spy.calls.clear();
    ASSERT_EQ(TAVISUP_SetKaraokeState(handle, 0), 1);
    EXPECT_TRUE(spy.calls.empty());
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:0=0", "16:0=0"}));

    // Only the karaoke write decides the result.
    driver.Refuse(kPropertyMicrophone, kRequestSet);
    EXPECT_EQ(TAVISUP_SetKaraokeState(handle, 1), 1);
    driver.ClearRefusals();
    driver.Refuse(kPropertyKaraoke, kRequestSet);
    EXPECT_EQ(TAVISUP_SetKaraokeState(handle, 1), 0);
}

TEST_F(EffectsTest, KaraokeReadKeepsTheMicrophoneInStep) {
    driver.Poke(kPropertyKaraoke, kKaraokeState, 1);
    int state = 0;
    ASSERT_EQ(TAVISUP_GetKaraokeState(handle, &state), 1);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:0=1"}));
    EXPECT_EQ(spy.calls.size(), 1u);

    driver.ClearRequests();
    driver.Refuse(kPropertyKaraoke, kRequestGet);
    state = 5;
    EXPECT_EQ(TAVISUP_GetKaraokeState(handle, &state), 0);
    EXPECT_EQ(state, 5);
    EXPECT_TRUE(Writes().empty());
}

TEST_F(EffectsTest, MicrophoneEffectStateUsesBothItems) {
    ASSERT_EQ(TAVISUP_SetKaraokeMicEffectState(handle, 1), 1);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:2=1", "24:5=1"}));
    EXPECT_EQ(spy.calls.size(), 2u);

    driver.Refuse(kPropertyMicrophone, kRequestSet, kMicEffectState);
    EXPECT_EQ(TAVISUP_SetKaraokeMicEffectState(handle, 0), 0);
    EXPECT_EQ(driver.Item(kPropertyMicrophone, kMicEffectState2), 0);  // still written

    driver.ClearRefusals();
    driver.ClearRequests();
    driver.Poke(kPropertyMicrophone, kMicEffectState, 1);
    int state = 0;
    ASSERT_EQ(TAVISUP_GetKaraokeMicEffectState(handle, &state), 1);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Writes(), (std::vector<std::string>{"24:5=1"}));
}

}  // namespace
}  // namespace sonorel
