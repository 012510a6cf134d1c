#pragma once
// The arithmetic of a program page and of the select dialog, free of windows: which tiles a page
// shows and where, how the highlight moves, how a deletion closes the gap, which choices the
// select dialog offers.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "launcher/model/entry_map.h"

namespace tessaly {

// The program groups of the two pages (registry keys group5 and group6), and the select dialog's
// choices that name them.
enum ProgramGroup : int { kGameGroup = 5, kOtherGroup = 6 };
enum GroupChoice : int { kChooseGameMenu = 1, kChooseOtherProgram = 2 };

// ---- Program page ----

constexpr int kPageUsableSlots = 50;  // slots 1..50 of the page's tile table
inline constexpr wchar_t kReturnLabel[] = L"Return";
inline constexpr wchar_t kReturnTarget[] = L"return";

// How many group values a page reads so that its built-ins, the group and the Return tile fit
// the usable slots.
std::size_t GroupEntriesToRead(std::size_t builtinCount);

// The tiles of a page in slot order (slot 1 first): built-ins in list order, the group in map
// order, then Return; never more than kPageUsableSlots.
std::vector<LaunchEntry> PageEntries(const std::vector<std::wstring>& builtinOrder,
                                     const EntryMap& builtinTargets, const EntryMap& groupEntries);

// The column flow of a page's tiles for a W x H screen and the page's client height.
class TileFlow {
public:
    TileFlow(int screenW, int screenH, int clientHeight);
    // The rectangle of the next tile; advances the cursor.
    RECT Next();

private:
    int w_, h_, clientHeight_;
    int x_, y_;
};

// Channel up/down on a page: the highlight goes a column's worth (perColumn) of available tiles
// forward or back, and stops at the first or the last instead of wrapping round.
template <typename Available>
int ColumnStep(int current, int count, int perColumn, bool forward, Available available) {
    int result = current;
    int slot = current;
    for (int moved = 0; moved < perColumn;) {
        slot += forward ? 1 : -1;
        if (slot < 1 || slot > count) break;
        if (available(slot)) {
            result = slot;
            ++moved;
        }
    }
    return result;
}

// Slot-based highlight movement over slots 1..count; `available(slot)` is false for deleted
// tiles. An out-of-range start counts as slot 1's neighbour; with no available slot the start
// is returned.
template <typename Available>
int MoveHighlight(int current, int count, bool forward, Available available) {
    if (count < 1) return current;
    if (current < 1 || current > count) current = forward ? count : 1;
    for (int steps = 0; steps < count; ++steps) {
        current = forward ? (current < count ? current + 1 : 1) : (current > 1 ? current - 1 : count);
        if (available(current)) return current;
    }
    return current;
}

// After a deletion: the layout position (1-based, in AddTile order) each slot's tile takes so
// the available tiles fill the positions in slot order; 0 for a tile that is not available.
// `available[0]` is unused.
std::vector<int> ClosedGapPositions(const std::vector<bool>& available);

// ---- Select dialog ----

constexpr std::size_t kChoiceSlots = 8;
inline constexpr wchar_t kGameMenuChoice[] = L"Game Menu";
inline constexpr wchar_t kOtherProgramChoice[] = L"Other Program";

// The dialog's choices: the map in its iteration order, or the two defaults when it is empty;
// at most kChoiceSlots.
std::vector<LaunchEntry> SelectChoices(const EntryMap& choices);

// Up/Down over slots 0..count-1 with wrap; a current outside the range starts from slot 0.
int ClampChoice(int current, int count);
int ChoiceUp(int current, int count);
int ChoiceDown(int current, int count);

// The dialog's place on a W x H screen, and the rectangle of choice `slot` in its client area.
RECT SelectDialogRect(int screenW, int screenH);
RECT ChoiceRect(int slot, int screenH);

// The removable-disk choice: "Play From E:\  Disk" -> "E:\ " for every 4-unit root of
// `removableDrives` ("E:\ F:\ ").
std::vector<LaunchEntry> RemovableDiskChoices(std::wstring_view removableDrives);

}  // namespace tessaly
