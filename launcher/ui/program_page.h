#pragma once
// A program page: one program group as a column-flowing grid of launch tiles over a picture,
// with a clock. Driven by Up, Down, Left, Enter and Delete, and by the mouse through its tiles.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launcher/ui/browser_window.h"
#include "launcher/ui/clock_face.h"
#include "launcher/model/entry_map.h"
#include "launcher/system/group_store.h"
#include "launcher/model/page_layout.h"
#include "launcher/model/remote_input.h"
#include "launcher/ui/select_dialog.h"
#include "launcher/ui/shell_services.h"
#include "launcher/model/launch_actions.h"
#include "common/skin/skin_image.h"
#include "launcher/ui/tile_owner.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

class EntryTile;

// Which program page: its dialog template, program group and background picture.
struct ProgramPageKind {
    int templateId;
    int group;
    int backgroundId;
};
ProgramPageKind GamePageKind();   // "Game Menu": group 5 over picture 173, template 134
ProgramPageKind OtherPageKind();  // "Other Program": group 6 over picture 174, template 135

// What the page's browser is asked to do by a page command.
enum class PageBrowse { kUnchanged, kVideo, kPictures };

class ProgramPage : public win32::Dialog, private EntryTileOwner {
public:
    // Reads and writes its group's registry key (SetGroupKey points it elsewhere).
    ProgramPage(const ProgramPageKind& kind, ShellServices& shell, LaunchActions& launch);
    ~ProgramPage() override;

    // Group store.
    void SetGroupKey(std::wstring keyPath) { store_.SetGroupKey(std::move(keyPath)); }
    void ReadGroup();
    bool WriteEntry(const std::wstring& name, const std::wstring& target) { return store_.WriteEntry(name, target); }
    bool DeleteEntry(const std::wstring& name) { return store_.DeleteEntry(name); }

    // Creates the window as a child of `mainWindow` when it has none, shows it over the whole
    // screen and starts it. Once opened, the page reports its closing to the shell.
    bool Open(HWND mainWindow);
    void StartPage();

    // The page's media browser, run modally; unset: page commands do nothing. UseBrowser sets it
    // to a browser the page owns.
    std::function<void(PageBrowse)> runBrowser;
    void UseBrowser(PlayerPort& player, BrowserHooks hooks, const SkinImage* folderIcon);
    BrowserWindow* browser() { return browser_.get(); }
    // Asks "Really delete?"; replaced by tests.
    std::function<bool(HWND page)> confirmDelete;

    int groupNumber() const { return groupNumber_; }
    int tileCount() const { return tileCount_; }
    int current() const { return current_; }
    const EntryTile* tile(int slot) const;
    SelectDialog& selectDialog() { return selectDialog_; }
    const std::wstring& clockText() const { return clock_.text(); }

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override;
    void OnDestroyed() override;

    std::vector<std::wstring> builtinOrder_;
    EntryMap builtinTargets_;

private:
    // EntryTileOwner
    bool SelectDialogActive() const override { return shell_.selectDialog().active(); }
    void FocusSelectDialog() override { shell_.selectDialog().Focus(); }
    bool IsHighlighted(const EntryTile& entry) const override;
    void OnEntryHovered(EntryTile& entry) override;
    void OnEntrySelected(EntryTile& entry) override;
    void OnEntryPressed(EntryTile& entry) override;
    void OnEntryActivated(EntryTile& entry) override;

    void LoadTiles();
    void AddTile(const std::wstring& name, const std::wstring& target);
    void ActivateSlot(int slot);
    void Move(bool forward);
    void SelectSlot(int slot);
    bool SlotAvailable(int slot) const;
    bool OnRemote(const RemoteInput& in);
    void DeleteCurrent();
    void PageCommand(int command, LPARAM kind);
    void RemovableDiskChoice();
    void Browse(PageBrowse what);
    void RunOwnBrowser(PageBrowse what);
    void ClockStep();
    void PlayTurnIn();
    void Paint();
    void FreeTiles();
    bool KeyDown(MSG& msg);

    ShellServices& shell_;
    LaunchActions& launch_;
    const int groupNumber_;
    const int backgroundId_;
    GroupStore store_;
    HWND mainWindow_ = nullptr;
    std::array<std::unique_ptr<EntryTile>, kPageUsableSlots + 1> tiles_;  // slot 0 unused
    std::array<RECT, kPageUsableSlots + 1> layout_{};  // AddTile positions, by slot
    std::unique_ptr<TileFlow> flow_;
    int tileCount_ = 0;
    int current_ = 1;
    int highlighted_ = 1;
    SkinPicture background_;
    win32::OffscreenBitmap frame_;  // the background at the window's size, kept while the page shows
    EntryMap groupEntries_;
    bool tilesCreated_ = false;
    bool clockRunning_ = false;
    ClockFace clock_;
    SelectDialog selectDialog_;
    std::unique_ptr<BrowserWindow> browser_;
};

}  // namespace tessaly
