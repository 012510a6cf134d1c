#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/system/sonorel_effects.h"
#include "launcher/ui/karaoke_panel.h"
#include "launcher/ui/browser_window.h"
#include "launcher/ui/clock_face.h"
#include "launcher/system/access_service.h"
#include "launcher/ui/program_page.h"
#include "launcher/model/launch_actions.h"
#include "launcher/system/click_sound.h"
#include "launcher/system/launch_ports.h"
#include "launcher/ui/messages.h"
#include "launcher/ui/hook_events.h"
#include "launcher/ui/shell_services.h"
#include "launcher/model/menu_logic.h"
#include "common/skin/skin_image.h"
#include "launcher/model/tile_logic.h"
#include "launcher/ui/tile_owner.h"
#include "win32/handles.h"
#include "win32/key_state.h"
#include "win32/keyboard_hook.h"
#include "win32/window.h"

namespace tessaly {

class MenuTile;
class PromptButton;
struct BackgroundJob;

// The launcher's full-screen main window: background, clock, start prompt, eight menu tiles. It
// owns its tiles, the keyboard hook, the screens the menu opens and what they share, and answers
// what those screens ask.
class MenuWindow : public win32::Dialog, private MenuTileOwner, public HookTarget, public ShellServices {
public:
    // The karaoke panel comes from makePanel when one is given.
    using PanelMaker = std::function<std::unique_ptr<OverlayPanel>()>;
    explicit MenuWindow(PanelMaker makePanel = {});
    ~MenuWindow() override;

    void MoveSelection(MoveStep step);
    int menuSelection() const { return menuSelection_; }  // highlighted tile, 1..8
    int runningCommand() const { return runningCommand_; }  // menu command in progress, 0 when none
    bool menuShown() const { return menuShown_; }  // start prompt answered, tiles shown
    const std::wstring& clickSoundPath() const { return clicks_.path(); }
    void SetClickSoundPath(std::wstring path) { clicks_.SetPath(std::move(path)); }

    // HookTarget
    bool PanelShown() const override { return panelShown_; }
    HWND PanelWindow() const override { return panelWindow_; }
    void PostTogglePanel() override;

    // ShellServices
    void PlayClick() override { PlayClickSound(); }
    void ReturnFromPage(int group) override;
    void AddPickedProgram(int groupChoice) override;
    void OpenFileFrom(const std::wstring& folder) override;
    const std::wstring& pickedProgramPath() const override { return pickedProgramPath_; }
    SelectDialogFocus& selectDialog() override { return selectDialog_; }
    DriveRootLists& drives() override { return drives_; }
    TurnPictures& turnPictures() override { return turnPictures_; }

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override {}      // Enter and Escape never end the launcher
    void OnCancel() override {}
    void OnClose() override;

private:
    // MenuTileOwner: the tiles' reports become the window's numbered messages.
    bool SelectDialogActive() const override { return selectDialog_.active(); }
    void FocusSelectDialog() override { selectDialog_.Focus(); }
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
    void RunBrowser(MediaKind kind);
    void DismissPrompt(bool destroy);
    void ShowTiles(bool show);
    void TogglePanel();
    void PlayClickSound();
    void ProgramPick(WPARAM group, LPARAM openFile);
    void ChooseProgram(HWND browser, const std::wstring& path, const std::wstring& name);
    bool CreateStartPrompt();
    void CreateMenuTiles();
    void PlaceFullScreen();
    void SetBackground(win32::Bitmap stretched, SIZE size);
    void WrapBackgroundForPageTurn();
    bool TakeBackground(DWORD waitMs);
    void WaitForBackground();
    void StartBackgroundJob(bool atStartup);

    // GDI+ for the pictures of every screen, started once the first frame is on screen (nothing on
    // it is drawn with GDI+, and loading it delayed that frame by about 10 ms). First, so that it
    // ends after every picture.
    std::optional<win32::GdiplusSession> gdiplus_;
    TurnPictures turnPictures_;
    std::unique_ptr<SkinImage> folderIcon_;  // drawn by the browser rows; empty when missing
    SelectDialogFocus selectDialog_;
    DriveRootLists drives_;
    int menuSelection_ = 1;
    int runningCommand_ = 0;
    bool menuShown_ = false;
    bool closing_ = false;  // late hand-overs are ignored
    bool panelShown_ = false;
    HWND panelWindow_ = nullptr;
    std::wstring pickedProgramPath_;
    std::wstring pickedProgramName_;
    win32::KeyboardHook hook_;
    win32::AsyncKeyState keys_;
    win32::Icon icon_;
    std::unique_ptr<PromptButton> startPrompt_;
    std::array<std::unique_ptr<MenuTile>, kMenuTileCount> menuTiles_;
    std::unique_ptr<BackgroundJob> backgroundJob_;
    std::vector<win32::Handle> backgroundWorkers_;  // joined when the window goes
    win32::Handle controlsWorker_;  // registers the common controls while the window is made
    bool firstFrameShown_ = false;  // FirstFrameDone has run
    bool startupFinished_ = false;  // FirstFrameDone has begun
    bool clockRunning_ = false;
    ClockFace clock_;
    win32::MemoryDc memoryDc_;
    win32::Bitmap backgroundCache_; // the background stretched once per screen size (a DIB section)
    SIZE backgroundSize_{};
    ClickSounds clicks_{kMsgCloseWorker};
    DeviceHandleHolder deviceHandles_;
    // The program pages and what their entries start; built with the window, windows per visit.
    LaunchActions launch_{SystemLaunchPorts(), SystemWindowPorts()};
    ProgramPage gamePage_{GamePageKind(), *this, launch_};
    ProgramPage otherPage_{OtherPageKind(), *this, launch_};
    // Where "Add Program" puts the picked program: run modally over the browser.
    SelectDialog programChooser_{*this};
    // The media browser of commands 1-4 and 7, made at its first use.
    std::unique_ptr<BrowserWindow> browser_;
    // The karaoke panel and the effects library it drives (the panel goes first).
    PanelMaker makePanel_;
    audio::SonorelEffects effects_;
    std::unique_ptr<OverlayPanel> panel_;
};

}  // namespace tessaly
