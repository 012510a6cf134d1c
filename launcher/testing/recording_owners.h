#pragma once
// Tile owners for tests: they keep a selection of their own, stand in for a select dialog, and
// record what their tiles report, in order.
#include <windows.h>

#include <utility>
#include <vector>

#include "launcher/ui/shell_services.h"
#include "launcher/ui/tile_owner.h"
#include "launcher/ui/tiles.h"

namespace tessaly::testing {

enum class TileEvent { Hovered, Focused, Pressed, Selected, Activated };

struct Reported {
    TileEvent event;
    int tile;  // the menu tile's command or the entry's index
    bool operator==(const Reported&) const = default;
};

class RecordingMenuOwner : public MenuTileOwner {
public:
    int selection = 1;
    SelectDialogFocus selectDialog;
    std::vector<Reported> reported;

    std::vector<Reported> Take() { return std::exchange(reported, {}); }

    bool SelectDialogActive() const override { return selectDialog.active(); }
    void FocusSelectDialog() override { selectDialog.Focus(); }
    bool IsHighlighted(const MenuTile& tile) const override { return tile.command == selection; }
    void OnMenuTileHovered(MenuTile& tile) override { reported.push_back({TileEvent::Hovered, tile.command}); }
    void OnMenuTileFocused(MenuTile& tile) override { reported.push_back({TileEvent::Focused, tile.command}); }
    void OnMenuTilePressed(MenuTile& tile) override { reported.push_back({TileEvent::Pressed, tile.command}); }
};

class RecordingEntryOwner : public EntryTileOwner {
public:
    int selection = 1;
    SelectDialogFocus selectDialog;
    std::vector<Reported> reported;

    std::vector<Reported> Take() { return std::exchange(reported, {}); }

    bool SelectDialogActive() const override { return selectDialog.active(); }
    void FocusSelectDialog() override { selectDialog.Focus(); }
    bool IsHighlighted(const EntryTile& entry) const override { return entry.index == selection; }
    void OnEntryHovered(EntryTile& entry) override { reported.push_back({TileEvent::Hovered, entry.index}); }
    void OnEntrySelected(EntryTile& entry) override {
        selection = entry.index;
        reported.push_back({TileEvent::Selected, entry.index});
    }
    void OnEntryPressed(EntryTile& entry) override { reported.push_back({TileEvent::Pressed, entry.index}); }
    void OnEntryActivated(EntryTile& entry) override { reported.push_back({TileEvent::Activated, entry.index}); }
};

}  // namespace tessaly::testing
