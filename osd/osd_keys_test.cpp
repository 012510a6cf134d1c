#include "osd/osd_keys.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

namespace osd {
namespace {

class HeldKeys : public KeyState {
public:
    HeldKeys(std::initializer_list<int> vks) : down_(vks) {}
    bool IsHeld(int vk) const override { return down_.count(vk) != 0; }

private:
    std::set<int> down_;
};

const HeldKeys kNone{};
const HeldKeys kLeftCtrl{VK_LCONTROL};
const HeldKeys kLeftCtrlShift{VK_LCONTROL, VK_LSHIFT};

Posted Picture(LPARAM code) { return {kMsgPicture, 2, code}; }

TEST(OsdKeyMap, ControlMTellsTheTwoChordsApartAndIgnoresRightHandModifiers) {
    EXPECT_EQ(MapKey('M', kLeftCtrlShift), Picture(0));
    EXPECT_EQ(MapKey('M', kLeftCtrl), Picture(2));
    EXPECT_EQ(MapKey('M', HeldKeys{VK_RCONTROL}), std::nullopt);
    EXPECT_EQ(MapKey('M', HeldKeys{VK_LCONTROL, VK_RSHIFT}), Picture(2));
    EXPECT_EQ(MapKey('M', HeldKeys{VK_LSHIFT}), std::nullopt);
    EXPECT_EQ(MapKey('M', kNone), std::nullopt);
}

TEST(OsdKeyMap, ChordsNeedTheirModifiers) {
    EXPECT_EQ(MapKey('I', kLeftCtrl), Picture(1));
    EXPECT_EQ(MapKey('E', kLeftCtrl), Picture(3));
    EXPECT_EQ(MapKey('I', kLeftCtrlShift), Picture(1));
    EXPECT_EQ(MapKey('B', kLeftCtrlShift), Picture(4));
    EXPECT_EQ(MapKey('F', kLeftCtrlShift), Picture(6));
    for (DWORD vk : {'I', 'E', 'B', 'F'}) EXPECT_EQ(MapKey(vk, kNone), std::nullopt) << vk;
    EXPECT_EQ(MapKey('B', kLeftCtrl), std::nullopt);
    EXPECT_EQ(MapKey('F', kLeftCtrl), std::nullopt);
    EXPECT_EQ(MapKey('F', HeldKeys{VK_LSHIFT}), std::nullopt);
    EXPECT_EQ(MapKey(VK_OEM_PLUS, HeldKeys{VK_RWIN}), Picture(14));
    EXPECT_EQ(MapKey(VK_OEM_PLUS, HeldKeys{VK_LWIN}), std::nullopt);
}

TEST(OsdKeyMap, MediaAndVolumeKeysActWhateverIsHeld) {
    const struct {
        DWORD vk;
        Posted posted;
    } cases[] = {
        {179, Picture(5)},  {177, Picture(7)},  {178, Picture(8)},
        {176, Picture(9)},  {166, Picture(12)}, {167, Picture(13)},
        {173, {kMsgMute, 3, 0}}, {175, {kMsgVolumeUp, 5, 0}}, {174, {kMsgVolumeDown, 4, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapKey(c.vk, kNone), c.posted) << c.vk;
        EXPECT_EQ(MapKey(c.vk, kLeftCtrlShift), c.posted) << c.vk;
    }
}

TEST(OsdKeyMap, ApplicationCommandsShowWhatTheirKeysShowUnlessMadeFromAKey) {
    const struct {
        int command;
        std::optional<Posted> posted;
    } cases[] = {
        {APPCOMMAND_VOLUME_UP, Posted{kMsgVolumeUp, 5, 0}},
        {APPCOMMAND_VOLUME_DOWN, Posted{kMsgVolumeDown, 4, 0}},
        {APPCOMMAND_VOLUME_MUTE, Posted{kMsgMute, 3, 0}},
        {APPCOMMAND_MEDIA_PLAY_PAUSE, Picture(5)}, {APPCOMMAND_MEDIA_PLAY, Picture(5)},
        {APPCOMMAND_MEDIA_PAUSE, Picture(5)},      {APPCOMMAND_MEDIA_PREVIOUSTRACK, Picture(7)},
        {APPCOMMAND_MEDIA_STOP, Picture(8)},       {APPCOMMAND_MEDIA_NEXTTRACK, Picture(9)},
        {APPCOMMAND_BROWSER_BACKWARD, Picture(12)}, {APPCOMMAND_BROWSER_FORWARD, Picture(13)},
        {APPCOMMAND_BROWSER_HOME, std::nullopt},   {APPCOMMAND_LAUNCH_MAIL, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapAppCommand(MAKELPARAM(0, c.command | FAPPCOMMAND_OEM)), c.posted) << c.command;
        EXPECT_EQ(MapAppCommand(MAKELPARAM(0, c.command | FAPPCOMMAND_MOUSE)), c.posted) << c.command;
        EXPECT_EQ(MapAppCommand(MAKELPARAM(0, c.command | FAPPCOMMAND_KEY)), std::nullopt) << c.command;
    }
}

TEST(OsdKeyMap, EveryOtherKeyPostsNothing) {
    int mapped = 0;
    for (DWORD vk = 0; vk < 256; ++vk) {
        if (MapKey(vk, HeldKeys{VK_LCONTROL, VK_LSHIFT, VK_RWIN})) ++mapped;
    }
    // M I E B F, six media keys, plus, three volume keys.
    EXPECT_EQ(mapped, 15);
    EXPECT_EQ(MapKey(0xFFFF, kLeftCtrl), std::nullopt);
}

TEST(OsdHook, ActsOnKeyDownsOnlyAndNotWhileBusy) {
    const Posted up{kMsgVolumeUp, 5, 0};
    EXPECT_EQ(HookAction(HC_ACTION, WM_KEYDOWN, VK_VOLUME_UP, false, kNone), up);
    EXPECT_EQ(HookAction(HC_ACTION, WM_SYSKEYDOWN, VK_VOLUME_UP, false, kNone), up);
    EXPECT_EQ(HookAction(HC_ACTION, WM_KEYUP, VK_VOLUME_UP, false, kNone), std::nullopt);
    EXPECT_EQ(HookAction(HC_ACTION, WM_KEYDOWN, VK_VOLUME_UP, true, kNone), std::nullopt);
    EXPECT_EQ(HookAction(3, WM_KEYDOWN, VK_VOLUME_UP, false, kNone), std::nullopt);
    EXPECT_EQ(HookAction(HC_ACTION, WM_SYSKEYDOWN, 'M', false, kLeftCtrl), Picture(2));
}

}  // namespace
}  // namespace osd
