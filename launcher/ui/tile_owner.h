#pragma once
// What the skinned tiles report to the window that owns them, and ask of it. The owner is given at
// construction and outlives its tiles; it decides the highlight and what hover, press and
// activation mean. A callback may destroy the reporting tile: the tiles check for that.
#include <windows.h>

namespace tessaly {

class MenuTile;
class EntryTile;

// While a select dialog is up it holds the keyboard: tiles then only hand the focus back to it.
class SelectDialogGate {
public:
    virtual bool SelectDialogActive() const = 0;
    virtual void FocusSelectDialog() = 0;

protected:
    ~SelectDialogGate() = default;
};

// The main window's side of its menu tiles.
class MenuTileOwner : public SelectDialogGate {
public:
    virtual bool IsHighlighted(const MenuTile& tile) const = 0;  // command == menu selection
    virtual void OnMenuTileHovered(MenuTile& tile) = 0;          // the pointer entered (1046)
    virtual void OnMenuTileFocused(MenuTile& tile) = 0;          // took the focus by hover (1049)
    virtual void OnMenuTilePressed(MenuTile& tile) = 0;          // left button: run it (1036)

protected:
    ~MenuTileOwner() = default;
};

// A page's or a select dialog's side of its entries. Each owner keeps its own highlighted index.
class EntryTileOwner : public SelectDialogGate {
public:
    virtual bool IsHighlighted(const EntryTile& entry) const = 0;  // index == the owner's selection
    virtual void OnEntryHovered(EntryTile& entry) = 0;   // the pointer entered (1064)
    // Select: the owner makes the entry its highlighted one and asks for the click sound (1049).
    virtual void OnEntrySelected(EntryTile& entry) = 0;
    virtual void OnEntryPressed(EntryTile& entry) = 0;   // left button on a page entry (1039)
    // Activate: the entry is to be carried out (launch, page command, select-dialog hand-over).
    virtual void OnEntryActivated(EntryTile& entry) = 0;

protected:
    ~EntryTileOwner() = default;
};

}  // namespace tessaly
