#pragma once
// The launcher's composition root: it owns the services (GDI+, the keyboard hook, the click, the
// access service's handles, the program starter, the effects library) and the screens (the menu,
// both program pages, the browser, the program chooser, the karaoke panel), and answers what each
// screen may ask of it. The screens know only the small interfaces they are given.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/skin/skin_image.h"
#include "launcher/model/launch_actions.h"
#include "launcher/system/access_service.h"
#include "launcher/system/click_sound.h"
#include "launcher/system/drive_lists.h"
#include "launcher/system/launch_ports.h"
#include "launcher/system/sonorel_effects.h"
#include "launcher/ui/browser_window.h"
#include "launcher/ui/hook_events.h"
#include "launcher/ui/karaoke_panel.h"
#include "launcher/ui/menu_window.h"
#include "launcher/ui/program_page.h"
#include "launcher/ui/select_dialog.h"
#include "launcher/ui/shell_services.h"
#include "win32/handles.h"
#include "win32/key_state.h"
#include "win32/keyboard_hook.h"

namespace tessaly {

class LauncherShell : public MenuOwner, public ShellServices, public HookTarget {
public:
    // The karaoke panel comes from makePanel when one is given.
    using PanelMaker = std::function<std::unique_ptr<OverlayPanel>()>;
    explicit LauncherShell(PanelMaker makePanel = {});

    // Runs the menu until the launcher closes.
    void Run() { menu_.DoModal(nullptr); }
    MenuWindow& menu() { return menu_; }

    const std::wstring& clickSoundPath() const { return clicks_.path(); }
    void SetClickSoundPath(std::wstring path) { clicks_.SetPath(std::move(path)); }

    // HookTarget
    bool PanelShown() const override { return panelShown_; }
    HWND PanelWindow() const override { return panelWindow_; }
    void PostTogglePanel() override;

    // ShellServices
    void PlayClick() override;
    void ReturnFromPage(int group) override;
    void AddPickedProgram(int groupChoice) override;
    void OpenFileFrom(const std::wstring& folder) override;
    const std::wstring& pickedProgramPath() const override { return pickedProgramPath_; }
    SelectDialogFocus& selectDialog() override { return selectDialog_; }
    DriveRootLists& drives() override { return drives_; }
    TurnPictures& turnPictures() override { return menu_.turnPictures(); }

private:
    // MenuOwner
    void MenuCreated(HWND menu) override;
    void FirstFrameShown() override;
    void RunCommand(int command) override;
    bool HandBackClickWorker(HANDLE thread) override { return clicks_.HandBack(thread); }
    void ProgramPick(WPARAM group, LPARAM openFile) override;
    void TogglePanel() override;
    void Closing() override;
    void MenuDestroying() override { clicks_.WaitForAll(); }

    void RunBrowser(MediaKind kind);
    void ChooseProgram(HWND browser, const std::wstring& path, const std::wstring& name);

    // GDI+ for the pictures of every screen, started once the first frame is on screen (nothing on
    // it is drawn with GDI+, and loading it delayed that frame by about 10 ms). First, so that it
    // ends after every picture.
    std::optional<win32::GdiplusSession> gdiplus_;
    std::unique_ptr<SkinImage> folderIcon_;  // drawn by the browser rows; empty when missing
    SelectDialogFocus selectDialog_;
    DriveRootLists drives_;
    bool closing_ = false;  // late hand-overs are ignored
    bool panelShown_ = false;
    HWND panelWindow_ = nullptr;
    std::wstring pickedProgramPath_;
    std::wstring pickedProgramName_;
    win32::AsyncKeyState keys_;
    win32::KeyboardHook hook_;  // after the key state its callback reads
    ClickSounds clicks_;
    DeviceHandleHolder deviceHandles_;
    LaunchActions launch_{SystemLaunchPorts(), SystemWindowPorts()};
    MenuWindow menu_{*this};
    // The program pages; built with the shell, windows per visit.
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
