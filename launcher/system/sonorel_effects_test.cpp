// The panel's logic through the effects library's exports, built with the simulated driver as its
// transport: each key arrives at the driver as the property writes the library defines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "launcher/model/karaoke_panel_model.h"
#include "launcher/system/sonorel_effects.h"

extern "C" {
__declspec(dllimport) int SonorelSim_Writes(char* out, int size);
__declspec(dllimport) void SonorelSim_Clear();
__declspec(dllimport) void SonorelSim_Poke(int property, int item, int value);
__declspec(dllimport) int SonorelSim_Item(int property, int item);
__declspec(dllimport) void SonorelSim_RemoveDriver();
}

namespace audio {
namespace {

// Property ids and items of the karaoke (16) and microphone (24) blocks.
constexpr int kKaraoke = 16;
constexpr int kMic = 24;

std::string Writes() {
    std::string text(static_cast<size_t>(SonorelSim_Writes(nullptr, 0)) + 1, '\0');
    SonorelSim_Writes(text.data(), static_cast<int>(text.size()));
    text.pop_back();
    SonorelSim_Clear();
    return text;
}

class KaraokeThroughLibraryTest : public ::testing::Test {
protected:
    void Press(int vk, int times = 1) {
        for (int i = 0; i < times; ++i) model.Key(vk);
    }
    SonorelEffects effects{L"SonorelSim.dll"};
    int lineCalls = 0;
    KaraokePanelModel model{effects, [this](int, int, int, int) { return ++lineCalls, 0; }};
};

TEST_F(KaraokeThroughLibraryTest, StartAndEveryRowReachTheDriverAsPropertyWrites) {
    SonorelSim_Poke(kMic, 1, 0);                // echo chosen
    SonorelSim_Poke(kMic, 3, 5 * 65536 + 7);    // echo level 5
    SonorelSim_Poke(kKaraoke, 2, -3);           // key shift -3
    SonorelSim_Clear();
    model.Start();
    ASSERT_TRUE(model.hasEffects());
    EXPECT_EQ(Writes(), "24:0=1\n16:0=1\n24:2=1\n24:5=1\n16:1=0\n16:3=0\n");
    EXPECT_EQ(model.settings().echoOn, 1);
    EXPECT_EQ(model.settings().echoLevel, 5);
    EXPECT_EQ(model.settings().keyShiftLevel, -3);

    Press(VK_DOWN);  // echo
    Press(VK_RIGHT);
    EXPECT_EQ(Writes(), "24:1=0\n24:3=393216\n");
    Press(VK_RETURN);  // magic voice takes over
    EXPECT_EQ(Writes(), "24:1=1\n24:3=393216\n");

    Press(VK_DOWN);  // magic voice
    Press(VK_RIGHT, 2);
    EXPECT_EQ(Writes(), "24:1=1\n24:4=1\n24:1=1\n24:4=2\n");

    Press(VK_DOWN);  // key shift, a fresh handle each time
    Press(VK_RETURN);
    Press(VK_LEFT);
    EXPECT_EQ(Writes(), "16:1=1\n16:2=-3\n16:1=1\n16:2=-4\n");

    Press(VK_DOWN);  // vocal cancellation
    Press(VK_RETURN);
    EXPECT_EQ(Writes(), "16:3=1\n16:4=50\n");

    Press(VK_DOWN);  // reset
    Press(VK_RETURN);
    EXPECT_EQ(Writes(), "24:1=0\n24:3=0\n16:1=0\n16:3=0\n16:4=50\n");
    EXPECT_EQ(SonorelSim_Item(kMic, 1), 0);
    EXPECT_EQ(SonorelSim_Item(kMic, 4), 2);  // magic voice mode is kept

    model.Shutdown();
    EXPECT_EQ(Writes(), "24:0=0\n16:0=0\n24:2=0\n24:5=0\n16:1=0\n16:3=0\n");
    EXPECT_EQ(SonorelSim_Item(kKaraoke, 0), 0);
}

// Runs after the test above in the same process: the driver is gone for good.
TEST_F(KaraokeThroughLibraryTest, WithoutTheDriverRowsOneToFourSendNothing) {
    SonorelSim_RemoveDriver();
    SonorelSim_Clear();
    model.Start();
    EXPECT_FALSE(model.hasEffects());
    for (int row = 1; row <= 4; ++row) {
        Press(VK_DOWN);
        Press(VK_RETURN);
        Press(VK_RIGHT);
    }
    EXPECT_EQ(Writes(), "");
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(lineCalls, 5 + 3);
}

// Without the library the launcher still starts: every call fails quietly and the panel runs
// without effects.
TEST(KaraokeWithoutLibrary, EveryCallFailsAndThePanelHasNoEffects) {
    SonorelEffects missing{L"NoSuchEffects.dll"};
    EffectsHandle* handle = nullptr;
    EXPECT_EQ(missing.GetInterface(&handle), 0);
    EXPECT_EQ(handle, nullptr);
    int level = 7;
    EXPECT_EQ(missing.GetMicEchoLevel(handle, &level), 0);
    EXPECT_EQ(level, 7);
    EXPECT_EQ(missing.SetKaraokeState(handle, 1), 0);
    missing.ReleaseInterface(&handle);

    int lineCalls = 0;
    KaraokePanelModel model{missing, [&](int, int, int, int) { return ++lineCalls, 0; }};
    model.Start();
    EXPECT_FALSE(model.hasEffects());
    model.Key(VK_DOWN);
    model.Key(VK_RIGHT);
}

}  // namespace
}  // namespace audio
