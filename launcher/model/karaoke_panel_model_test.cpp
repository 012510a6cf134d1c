#include "launcher/model/karaoke_panel_model.h"
#include "launcher/testing/karaoke_fake_effects.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace audio {
namespace {

struct LineCall {
    int level, line, direction, mute;
    bool operator==(const LineCall&) const = default;
};

class KaraokeModelTest : public ::testing::Test {
protected:
    KaraokePanelModel& Started() {
        model.Start();
        fx.calls.clear();
        lines.clear();
        return model;
    }
    void Press(int vk, int times = 1) {
        for (int i = 0; i < times; ++i) model.Key(vk);
    }
    void Row(int row) {
        Press(VK_UP, 5);
        Press(VK_DOWN, row);
    }

    RecordingEffects fx;
    std::vector<LineCall> lines;
    KaraokePanelModel model{fx, [this](int l, int n, int d, int m) {
                                lines.push_back({l, n, d, m});
                                return 0;
                            }};
};

TEST_F(KaraokeModelTest, StartSetsTheLinesThenSwitchesKaraokeOnAndReadsTheDriver) {
    fx.micModeInDriver = 0;
    model.Start();
    const std::vector<LineCall> expected = {{10, 0, 0, 1}, {10, 1, 1, 1}, {66, 3, 0, 1}, {10, 2, 1, 1}, {66, 4, 0, 1}};
    EXPECT_EQ(lines, expected);
    const std::vector<std::string> calls = {"GetInterface", "Karaoke(1,1)", "MicEffect(1,1)", "GetMode(1)",
                                            "Shift(1,0)",   "Vocal(1,0)",   "GetEcho(1)",     "GetShift(1)"};
    EXPECT_EQ(fx.calls, calls);
    const KaraokeSettings& s = model.settings();
    EXPECT_EQ(s.echoOn, 1);
    EXPECT_EQ(s.magicOn, 0);
    EXPECT_EQ(s.echoLevel, 3);
    EXPECT_EQ(s.keyShiftLevel, -2);
    model.Start();  // once only
    EXPECT_EQ(lines.size(), 5u);
}

TEST_F(KaraokeModelTest, StartReadsMagicVoiceFromANonzeroOrFailedModeAndClampsDriverLevels) {
    RecordingEffects failing;
    failing.readsFail = 1;
    KaraokePanelModel m(failing, [](int, int, int, int) { return 0; });
    m.Start();
    EXPECT_EQ(m.settings().magicOn, 1);
    EXPECT_EQ(m.settings().echoOn, 0);
    EXPECT_EQ(m.settings().echoLevel, 0);

    fx.micModeInDriver = 3;
    fx.echoInDriver = 500;  // a bar count the panel cannot show
    fx.shiftInDriver = -77;
    model.Start();
    EXPECT_EQ(model.settings().magicOn, 1);
    EXPECT_EQ(model.settings().echoLevel, kEchoLevelMax);
    EXPECT_EQ(model.settings().keyShiftLevel, kKeyShiftMin);
}

TEST_F(KaraokeModelTest, MonitorRowStaysInRangeButAlwaysSendsTheThreeLines) {
    Started();
    Press(VK_RIGHT, 25);
    EXPECT_EQ(model.settings().monitorLevel, 20);
    lines.clear();
    EXPECT_TRUE(model.Key(VK_RIGHT));
    const std::vector<LineCall> at100 = {{100, 1, 1, 1}, {100, 0, 0, 1}, {100, 2, 1, 1}};
    EXPECT_EQ(lines, at100);
    Press(VK_LEFT, 30);
    EXPECT_EQ(model.settings().monitorLevel, 0);
    lines.clear();
    Press(VK_RETURN);
    EXPECT_EQ(model.settings().monitorMuted, 0);
    const std::vector<LineCall> unmuted = {{0, 1, 1, 0}, {0, 0, 0, 0}, {0, 2, 1, 0}};
    EXPECT_EQ(lines, unmuted);
    EXPECT_TRUE(fx.calls.empty());
}

TEST_F(KaraokeModelTest, UpAndDownStopAtTheEndsYetRedrawAndOtherKeysDoNothing) {
    Started();
    EXPECT_TRUE(model.Key(VK_UP));
    EXPECT_EQ(model.settings().selectedRow, 0);
    Press(VK_DOWN, 9);
    EXPECT_EQ(model.settings().selectedRow, 5);
    EXPECT_TRUE(model.Key(VK_DOWN));
    EXPECT_EQ(model.settings().selectedRow, 5);
    EXPECT_FALSE(model.Key(VK_ESCAPE));
    EXPECT_FALSE(model.Key('A'));
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(fx.calls.empty());
}

TEST_F(KaraokeModelTest, EchoRowLevelsAndTheSwapWithMagicVoice) {
    Started();
    Row(1);
    Press(VK_LEFT, 30);
    EXPECT_EQ(model.settings().echoLevel, -12);
    EXPECT_EQ(fx.calls.back(), "Echo(1,-12)");
    Press(VK_RIGHT, 30);
    EXPECT_EQ(model.settings().echoLevel, 12);
    fx.calls.clear();
    Press(VK_RETURN);  // echo on -> magic voice on
    EXPECT_EQ(model.settings().echoOn, 0);
    EXPECT_EQ(model.settings().magicOn, 1);
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"Mode(1,1)", "Echo(1,12)"}));

    Row(2);
    fx.calls.clear();
    Press(VK_RIGHT, 9);
    EXPECT_EQ(model.settings().magicMode, 4);
    EXPECT_EQ(fx.calls.back(), "Magic(1,4)");
    EXPECT_EQ(fx.calls[fx.calls.size() - 2], "Mode(1,1)");
    Press(VK_RETURN);  // magic off -> echo on
    EXPECT_EQ(model.settings().magicOn, 0);
    EXPECT_EQ(model.settings().echoOn, 1);
    EXPECT_EQ(fx.calls[fx.calls.size() - 2], "Mode(1,0)");
}

TEST_F(KaraokeModelTest, ARefusedModeWriteIsRetriedOnceWithAFreshHandle) {
    Started();
    Row(1);
    fx.calls.clear();
    fx.modeWritesToRefuse = 1;
    Press(VK_RETURN);
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"Mode(1,1)refused", "GetInterface", "Release(1)", "Mode(2,1)",
                                                  "Echo(2,3)"}));
    fx.calls.clear();
    fx.modeWritesToRefuse = 5;  // refused again after the retry: no third attempt
    Press(VK_RETURN);
    EXPECT_EQ(std::count(fx.calls.begin(), fx.calls.end(), "GetInterface"), 1);
    EXPECT_EQ(fx.calls.size(), 5u);
    EXPECT_EQ(fx.live.size(), 1u);
}

TEST_F(KaraokeModelTest, KeyShiftTakesAFreshHandleOnEveryKeyWithoutLeaking) {
    Started();
    Row(3);
    Press(VK_RETURN);
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"GetInterface", "Release(1)", "Shift(2,1)", "ShiftLevel(2,-2)"}));
    Press(VK_RIGHT, 3000);
    Press(VK_LEFT, 3000);
    EXPECT_EQ(model.settings().keyShiftLevel, -4);
    EXPECT_EQ(fx.live.size(), 1u);
    EXPECT_EQ(*fx.live.begin(), 6002);
    EXPECT_EQ(fx.calls.back(), "ShiftLevel(6002,-4)");
}

TEST_F(KaraokeModelTest, VocalCancellationTogglesWithLevel50AndIgnoresLeftRight) {
    Started();
    Row(4);
    Press(VK_LEFT);
    Press(VK_RIGHT);
    EXPECT_TRUE(fx.calls.empty());
    Press(VK_RETURN, 2);
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"Vocal(1,1)", "VocalLevel(1,50)", "Vocal(1,0)", "VocalLevel(1,50)"}));
}

TEST_F(KaraokeModelTest, ResetSendsUnmutedLinesButLeavesTheMonitorMutedAndTheEffectsIdle) {
    Started();
    Press(VK_RIGHT, 4);
    Press(VK_RETURN);  // unmuted
    Row(2);
    Press(VK_RIGHT, 2);
    Press(VK_RETURN);
    Row(5);
    Press(VK_LEFT);
    Press(VK_RIGHT);
    lines.clear();
    fx.calls.clear();
    Press(VK_RETURN);
    const std::vector<LineCall> expected = {{10, 1, 1, 0}, {10, 0, 0, 0}, {10, 2, 1, 0}};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(fx.calls, (std::vector<std::string>{"Mode(1,0)", "Echo(1,0)", "Shift(1,0)", "Vocal(1,0)",
                                                  "VocalLevel(1,50)"}));
    const KaraokeSettings& s = model.settings();
    EXPECT_EQ(s.monitorMuted, 1);
    EXPECT_EQ(s.monitorLevel, 2);
    EXPECT_EQ(s.echoOn, 1);
    EXPECT_EQ(s.magicOn, 0);
    EXPECT_EQ(s.keyShiftLevel, 0);
    EXPECT_EQ(s.magicMode, 2);  // kept
}

TEST_F(KaraokeModelTest, WithoutADriverOnlyTheMonitorAndResetRowsAct) {
    fx.driverPresent = false;
    Started();
    EXPECT_FALSE(model.hasEffects());
    for (int row = 1; row <= 4; ++row) {
        Row(row);
        const KaraokeSettings before = model.settings();
        for (int vk : {VK_LEFT, VK_RIGHT, VK_RETURN}) EXPECT_FALSE(model.Key(vk)) << row;
        EXPECT_EQ(model.settings().echoLevel, before.echoLevel);
        EXPECT_EQ(model.settings().keyShiftOn, before.keyShiftOn);
    }
    EXPECT_TRUE(fx.calls.empty());
    Row(5);
    EXPECT_TRUE(model.Key(VK_RETURN));
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_TRUE(fx.calls.empty());
}

int Count(const std::vector<PanelPicture>& pictures, int id, float y) {
    return static_cast<int>(std::count_if(pictures.begin(), pictures.end(),
                                          [&](const PanelPicture& p) { return p.id == id && p.y == y; }));
}

TEST(KaraokeDrawingTest, BarsTogglesAndMarkerFollowTheSettings) {
    KaraokeSettings s;
    s.echoLevel = -12;
    auto pictures = PanelPictures(s, 1024, 335, 650);
    EXPECT_EQ(Count(pictures, 234, 210), 1);
    EXPECT_EQ(Count(pictures, 234, 90), 2);    // monitor level 2
    EXPECT_EQ(Count(pictures, 234, 450), 5);   // key shift 0
    EXPECT_EQ(Count(pictures, 223, 45), 1);    // muted
    EXPECT_EQ(Count(pictures, 228, 337), 1);   // magic voice slot 0
    EXPECT_EQ(Count(pictures, 229, 337) + Count(pictures, 229, 365), 4);
    EXPECT_EQ(pictures.front().id, 221);
    EXPECT_EQ(pictures.front().width, 335);
    EXPECT_EQ(pictures.front().height, 650);
    EXPECT_EQ(Count(pictures, 235, 57), 1);

    s.echoLevel = 12;
    s.monitorMuted = 0;
    s.monitorLevel = 20;
    s.keyShiftLevel = 4;
    s.selectedRow = 5;
    s.magicMode = 4;
    pictures = PanelPictures(s, 1024, 335, 650);
    EXPECT_EQ(Count(pictures, 234, 210), 25);
    EXPECT_EQ(Count(pictures, 234, 90), 20);
    EXPECT_EQ(Count(pictures, 234, 450), 9);
    EXPECT_EQ(Count(pictures, 222, 45), 1);
    EXPECT_EQ(Count(pictures, 235, 603), 1);
    EXPECT_EQ(Count(pictures, 228, 365), 1);
    // The last bars end inside the background.
    for (const PanelPicture& p : pictures) EXPECT_LE(p.x + p.width, 335) << p.id;

    // Vertical measures follow the screen height.
    pictures = PanelPictures(s, 768, 335, 487);
    EXPECT_EQ(Count(pictures, 235, 603 * 0.75f), 1);
    EXPECT_EQ(Count(pictures, 236, 591 * 0.75f), 1);
}

TEST(KaraokeDrawingTest, PlacedTopRightWithItsHeightScaled) {
    const PanelPlace p = PlacePanel(335, 650, 1920, 768);
    EXPECT_EQ(p.left, 1920 - 335 - 10);
    EXPECT_EQ(p.top, 50);
    EXPECT_EQ(p.width, 335);
    EXPECT_EQ(p.height, 487);
}

}  // namespace
}  // namespace audio
