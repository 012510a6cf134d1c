#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/skin/skin_image.h"
#include "launcher/model/menu_logic.h"
#include "launcher/model/tile_logic.h"
#include "launcher/ui/clock_face.h"
#include "launcher/ui/shell_services.h"
#include "launcher/ui/tile_owner.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

class MenuTile;
class PromptButton;
struct BackgroundJob;

// What the menu asks of the shell that owns it: every screen the menu opens, the click, the
// karaoke panel and the launcher's services are the shell's. The window's numbered messages that
// other programs may send land here too.
class MenuOwner {
public:
    // The window exists; no key has reached it yet.
    virtual void MenuCreated(HWND menu) = 0;
    // Once, when the first frame is on screen: the rest of start-up.
    virtual void FirstFrameShown() = 0;
    // A tile's command other than "Exit": a page opens (and reports back later), a browser runs
    // modally (and has closed when this returns).
    virtual void RunCommand(int command) = 0;
    virtual void ReturnFromPage(int group) = 0;
    virtual void PlayClick() = 0;
    virtual bool HandBackClickWorker(HANDLE thread) = 0;
    virtual void ProgramPick(WPARAM group, LPARAM openFile) = 0;
    virtual void TogglePanel() = 0;
    virtual bool PanelShown() const = 0;
    virtual SelectDialogFocus& selectDialog() = 0;
    // The launcher is closing: before the menu ends.
    virtual void Closing() = 0;
    // The window is being destroyed; sent messages are still answered.
    virtual void MenuDestroying() = 0;

protected:
    ~MenuOwner() = default;
};

// The launcher's full-screen main window: background, clock, start prompt, eight menu tiles and
// the keys that move between them. What a tile opens belongs to its owner.
class MenuWindow : public win32::Dialog, private MenuTileOwner {
public:
    explicit MenuWindow(MenuOwner& owner);
    ~MenuWindow() override;

    void MoveSelection(MoveStep step);
    int menuSelection() const { return menuSelection_; }  // highlighted tile, 1..8
    int runningCommand() const { return runningCommand_; }  // menu command in progress, 0 when none
    bool menuShown() const { return menuShown_; }  // start prompt answered, tiles shown
    // The pictures of the turn between the menu and a page; the menu's is the background itself.
    TurnPictures& turnPictures() { return turnPictures_; }
    // A page has reported back and is gone: the menu returns, with the turn when `turn`.
    void BackFromPage(bool turn);

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}      // Enter and Escape never end the launcher
    void OnCancel() override {}
    void OnClose() override;

private:
    // MenuTileOwner: the tiles' reports.
    bool SelectDialogActive() const override { return owner_.selectDialog().active(); }
    void FocusSelectDialog() override { owner_.selectDialog().Focus(); }
    bool IsHighlighted(const MenuTile& tile) const override;
    void OnMenuTileHovered(MenuTile& tile) override;
    void OnMenuTileFocused(MenuTile& tile) override;
    void OnMenuTilePressed(MenuTile& tile) override;

    void Paint();
    void FirstFrameDone();
    void StartClock();
    void MenuTileHovered(int command);
    void HighlightTile(int command);
    void BackFromAddProgram();
    void ClockStep();
    void RunMenuCommand(int command);
    void DismissPrompt(bool destroy);
    void ShowTiles(bool show);
    bool CreateStartPrompt();
    void CreateMenuTiles();
    void PlaceFullScreen();
    void SetBackground(win32::Bitmap stretched, SIZE size);
    void WrapBackgroundForPageTurn();
    bool TakeBackground(DWORD waitMs);
    void WaitForBackground();
    void StartBackgroundJob(bool atStartup);

    MenuOwner& owner_;
    TurnPictures turnPictures_;
    int menuSelection_ = 1;
    int runningCommand_ = 0;
    bool menuShown_ = false;
    win32::Icon icon_;
    std::unique_ptr<PromptButton> startPrompt_;
    std::array<std::unique_ptr<MenuTile>, kMenuTileCount> menuTiles_;
    std::unique_ptr<BackgroundJob> backgroundJob_;
    std::vector<win32::Handle> backgroundWorkers_;  // joined when the window goes
    bool firstFrameShown_ = false;  // FirstFrameDone has run
    bool startupFinished_ = false;  // FirstFrameDone has begun
    bool clockRunning_ = false;
    ClockFace clock_;
    win32::MemoryDc memoryDc_;
    win32::Bitmap backgroundCache_; // the background stretched once per screen size (a DIB section)
    SIZE backgroundSize_{};
};

}  // namespace tessaly
