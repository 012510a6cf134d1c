// The mixer path against the real multimedia mixer of the test prefix. Wine reports Windows XP to
// this executable (set by the audio_prefix_xp fixture), and tools/pulse.sh gives it a sound server.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <optional>

#include "common/audio/line_volume.h"
#include "win32/mixer.h"

namespace {

struct Control {
    DWORD id = 0;
    DWORD max = 0;
};

class Mixer0 {
public:
    explicit operator bool() const { return static_cast<bool>(h_); }

    std::optional<Control> Find(DWORD destinationType, DWORD controlType) const {
        MIXERCONTROLW control{};
        if (!win32::FindDestinationControl(h_, destinationType, controlType, control)) return {};
        return Control{control.dwControlID, control.Bounds.dwMaximum};
    }

    // The first channel's value: uniform settings give every channel the same one.
    DWORD Read(const Control& control) const {
        MIXERCONTROLDETAILS_UNSIGNED values[8]{};
        MIXERCONTROLDETAILS details{};
        details.cbStruct = sizeof details;
        details.dwControlID = control.id;
        details.cChannels = 1;
        details.cbDetails = sizeof values[0];
        details.paDetails = values;
        EXPECT_EQ(mixerGetControlDetailsW(win32::MixerObject(h_), &details,
                                          MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE),
                  MMSYSERR_NOERROR);
        return values[0].dwValue;
    }

private:
    win32::MixerHandle h_ = win32::OpenMixer(0);
};

class MixerPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(audio::WindowsMajorVersion(), 5u) << "the prefix must report Windows XP to this program";
        ASSERT_TRUE(mixer) << "no mixer: the test needs the private sound server of tools/run-tests.sh";
        volume = mixer.Find(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_VOLUME);
        mute = mixer.Find(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_MUTE);
        ASSERT_TRUE(volume && mute) << "mixer 0 has no speakers volume and mute";
        ASSERT_GT(volume->max, 100u);
    }
    DWORD Volume() const { return mixer.Read(*volume); }
    DWORD Muted() const { return mixer.Read(*mute); }

    Mixer0 mixer;
    std::optional<Control> volume;
    std::optional<Control> mute;
};

TEST_F(MixerPathTest, LineZeroSetsTheSpeakersVolumeAndMute) {
    EXPECT_EQ(SetLineVolume(50, 0, 1, 1), 0);
    EXPECT_EQ(Volume(), 50u * volume->max / 100u);
    EXPECT_EQ(Muted(), 1u);

    EXPECT_EQ(SetLineVolume(33, 0, 1, 0), 0);
    EXPECT_EQ(Volume(), 33u * volume->max / 100u);
    EXPECT_EQ(Muted(), 0u);

    EXPECT_EQ(SetLineVolume(0, 0, 1, 1), 0);
    EXPECT_EQ(Volume(), 0u);
    EXPECT_EQ(Muted(), 1u);

    EXPECT_EQ(SetLineVolume(100, 0, 1, 0), 0);
    EXPECT_EQ(Volume(), volume->max);
    EXPECT_EQ(Muted(), 0u);

    // Levels above 100 (101 included: mute-only is a Core Audio matter) give the maximum.
    SetLineVolume(10, 0, 1, 0);
    EXPECT_EQ(SetLineVolume(101, 0, 1, 1), 0);
    EXPECT_EQ(Volume(), volume->max);
    SetLineVolume(10, 0, 1, 0);
    EXPECT_EQ(SetLineVolume(250, 0, 1, 0), 0);
    EXPECT_EQ(Volume(), volume->max);
}

TEST_F(MixerPathTest, OtherLinesChangeNothing) {
    SetLineVolume(30, 0, 1, 1);
    const DWORD before = Volume();
    ASSERT_EQ(before, 30u * volume->max / 100u);
    for (int line : {1, 2, 3, 4, 7}) {
        for (int direction : {0, 1}) {
            EXPECT_EQ(SetLineVolume(90, line, direction, 0), 0);
            EXPECT_EQ(Volume(), before) << "line " << line;
            EXPECT_EQ(Muted(), 1u) << "line " << line;
        }
    }
}

TEST_F(MixerPathTest, RecordingUsesTheWaveInDestinationOnly) {
    SetLineVolume(40, 0, 1, 0);
    const DWORD before = Volume();
    EXPECT_EQ(SetLineVolume(80, 0, 0, 1), 0);
    EXPECT_EQ(Volume(), before);
    EXPECT_EQ(Muted(), 0u);
    // Where mixer 0 has a wave-in destination (not every system's does), it takes the level.
    const auto waveIn = mixer.Find(MIXERLINE_COMPONENTTYPE_DST_WAVEIN, MIXERCONTROL_CONTROLTYPE_VOLUME);
    if (waveIn) {
        EXPECT_EQ(mixer.Read(*waveIn), 80u * waveIn->max / 100u);
    }
}

}  // namespace
