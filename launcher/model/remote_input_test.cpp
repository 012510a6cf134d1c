#include "launcher/model/remote_input.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

LPARAM Command(int command, WORD device) { return MAKELPARAM(0, command | device); }

TEST(RemoteInput, EveryFormOfAButtonIsOneActionAndTheScreensOwnKeysAreNone) {
    struct Case { WPARAM vk; RemoteAction action; int digit; };
    const Case keys[] = {
        {VK_BROWSER_BACK, RemoteAction::Back, 0},      {VK_BROWSER_HOME, RemoteAction::Home, 0},
        {VK_PRIOR, RemoteAction::PageUp, 0},           {VK_NEXT, RemoteAction::PageDown, 0},
        {'1', RemoteAction::Digit, 1},                 {'9', RemoteAction::Digit, 9},
        {VK_NUMPAD1, RemoteAction::Digit, 1},          {VK_NUMPAD9, RemoteAction::Digit, 9},
        {VK_MEDIA_PLAY_PAUSE, RemoteAction::PlayPause, 0}, {VK_MEDIA_STOP, RemoteAction::Stop, 0},
        {VK_MEDIA_NEXT_TRACK, RemoteAction::Next, 0},  {VK_MEDIA_PREV_TRACK, RemoteAction::Previous, 0},
        {VK_VOLUME_UP, RemoteAction::VolumeUp, 0},     {VK_VOLUME_MUTE, RemoteAction::Mute, 0},
        // The screens answer these themselves; 0 is no row.
        {VK_ESCAPE, RemoteAction::None, 0}, {VK_RETURN, RemoteAction::None, 0},
        {VK_LEFT, RemoteAction::None, 0},   {VK_DOWN, RemoteAction::None, 0},
        {'0', RemoteAction::None, 0},       {VK_NUMPAD0, RemoteAction::None, 0},
        {':', RemoteAction::None, 0},       {'A', RemoteAction::None, 0},
        {VK_APPS, RemoteAction::None, 0},
    };
    for (const Case& c : keys) {
        const RemoteInput in = RemoteOfKey(c.vk);
        EXPECT_EQ(in.action, c.action) << c.vk;
        EXPECT_EQ(in.digit, c.digit) << c.vk;
    }

    struct CommandCase { int command; RemoteAction action; };
    const CommandCase commands[] = {
        {APPCOMMAND_BROWSER_BACKWARD, RemoteAction::Back}, {APPCOMMAND_BROWSER_HOME, RemoteAction::Home},
        {APPCOMMAND_MEDIA_CHANNEL_UP, RemoteAction::PageUp},
        {APPCOMMAND_MEDIA_CHANNEL_DOWN, RemoteAction::PageDown},
        {APPCOMMAND_MEDIA_PLAY_PAUSE, RemoteAction::PlayPause},
        {APPCOMMAND_MEDIA_PLAY, RemoteAction::PlayPause}, {APPCOMMAND_MEDIA_PAUSE, RemoteAction::PlayPause},
        {APPCOMMAND_MEDIA_STOP, RemoteAction::Stop}, {APPCOMMAND_MEDIA_NEXTTRACK, RemoteAction::Next},
        {APPCOMMAND_MEDIA_PREVIOUSTRACK, RemoteAction::Previous},
        {APPCOMMAND_VOLUME_UP, RemoteAction::VolumeUp}, {APPCOMMAND_VOLUME_DOWN, RemoteAction::VolumeDown},
        {APPCOMMAND_VOLUME_MUTE, RemoteAction::Mute}, {APPCOMMAND_BROWSER_FORWARD, RemoteAction::None},
        {APPCOMMAND_LAUNCH_MAIL, RemoteAction::None},
    };
    for (const CommandCase& c : commands) {
        EXPECT_EQ(RemoteOfAppCommand(Command(c.command, FAPPCOMMAND_OEM)).action, c.action) << c.command;
        EXPECT_EQ(RemoteOfAppCommand(Command(c.command, FAPPCOMMAND_MOUSE)).action, c.action) << c.command;
        // A key's own command: the key was handled as a key already.
        EXPECT_EQ(RemoteOfAppCommand(Command(c.command, FAPPCOMMAND_KEY)).action, RemoteAction::None)
            << c.command;
    }

    // A command runs as the key of its button; the volume is left to the system.
    for (WPARAM vk : {VK_BROWSER_BACK, VK_BROWSER_HOME, VK_PRIOR, VK_NEXT, VK_MEDIA_PLAY_PAUSE,
                      VK_MEDIA_STOP, VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK})
        EXPECT_EQ(KeyOfAction(RemoteOfKey(vk).action), vk) << vk;
    for (RemoteAction none : {RemoteAction::None, RemoteAction::Digit, RemoteAction::VolumeUp,
                              RemoteAction::VolumeDown, RemoteAction::Mute})
        EXPECT_EQ(KeyOfAction(none), 0u);
}

}  // namespace
}  // namespace tessaly
