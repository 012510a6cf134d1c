#pragma once
// Decisions of the main window and the keyboard hook as plain functions: what a key does in the
// current state, where the menu highlight goes, when a click may sound, where things are drawn.
#include <windows.h>

#include <array>
#include <string>

#include "win32/key_state.h"

namespace tessaly {

constexpr int kMenuTileCount = 8;

// The menu's commands, by tile (also the number message 1036 carries).
enum MenuCommand : int {
    kPlayVideo = 1,
    kPlayMusic,
    kBrowsePictures,
    kKaraoke,
    kGameMenu,
    kOtherProgram,
    kAddProgram,
    kExit,
};

// Menu labels, by command 1..8.
const wchar_t* MenuLabel(int command);

// MoveSelection steps.
enum class MoveStep { Previous = 0, Next = 1, Activate = 4 };
// The highlight after a previous/next step, wrapping 1 <-> 8; Activate leaves it.
int StepSelection(int selection, MoveStep step);

// What the main window's key pre-translation does with one message.
enum class MainKey {
    FocusSelectDialog,   // give the select dialog the focus; not handled
    Activate,            // MoveSelection(MoveStep::Activate); handled
    Ignore,              // not handled, and no standard dialog processing (Escape)
    PreviousThenStandard,
    NextThenStandard,
    Standard,            // standard dialog key processing
};
struct KeyContext {
    bool selectDialogActive = false;
    int runningCommand = 0;
};
MainKey ClassifyMainKey(UINT message, WPARAM vk, const KeyContext& context);

// The low-level hook's view of the modifier keys, so the chord rules run without a keyboard.
using ModifierPort = win32::ModifierPort;

struct HookResult {
    bool sendToPanel = false;   // send 1050 with the key to the karaoke panel
    bool swallow = false;       // return 1: the key reaches no other window
    bool postToggle = false;    // post 2223 to the main window
};
HookResult ClassifyHookKey(UINT message, DWORD vk, bool karaokePanelShown, const ModifierPort& mods);

// At most one click sound every 250 ms; the difference is unsigned so tick wrap-around is fine.
class ClickRateLimiter {
public:
    bool Allow(DWORD now) {
        if (now - last_ > 249) {
            last_ = now;
            return true;
        }
        return false;
    }
    DWORD last() const { return last_; }

private:
    DWORD last_ = 0;
};

// Geometry of the main window for a cx x cy screen.
RECT ClockRect(int cx, int cy, int clockFontHeight);
RECT MenuTileRect(int cx, int cy, int index /* 1..8 */);
RECT StartPromptRect(int cx, int cy);
RECT StartPromptTextRect(const RECT& prompt);  // in the prompt's client coordinates

// "%m/%d/%Y %H:%M" of a local time.
std::wstring FormatClock(const SYSTEMTIME& t);

// The open-file dialog filter of message 1048, with '|' turned into the NULs the dialog wants.
std::wstring OpenFileFilter();
// Trims leading and trailing blanks.
std::wstring TrimBlanks(const std::wstring& s);

}  // namespace tessaly
