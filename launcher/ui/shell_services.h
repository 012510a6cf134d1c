#pragma once
// What a screen may ask of the shell that owns it, given to each at construction: the main window
// answers for the launcher, a recorder for the window tests. Touched only on the user-interface
// thread.
#include <windows.h>

#include <string>

#include "common/skin/skin_image.h"
#include "launcher/system/drive_lists.h"

namespace tessaly {

// While a select dialog is up it holds the keyboard; the windows beneath hand it back. One for the
// launcher: the dialogs say when they open and close, everyone else asks.
class SelectDialogFocus {
public:
    bool active() const { return active_; }
    HWND window() const { return window_; }
    void Opened(HWND dialog) {
        window_ = dialog;
        active_ = true;
    }
    void Finished() { active_ = false; }
    void Destroyed() {
        active_ = false;
        window_ = nullptr;
    }
    // Hands the keyboard back to an active dialog.
    void Focus() const {
        if (window_ && ::IsWindow(window_) && ::GetFocus() != window_) ::SetFocus(window_);
    }

private:
    bool active_ = false;
    HWND window_ = nullptr;
};

class ShellServices {
public:
    virtual void PlayClick() = 0;
    // A program page has closed (group 5 or 6): back to the menu.
    virtual void ReturnFromPage(int group) = 0;
    // A select dialog's choice: the picked program goes into group choice 1 ("Game Menu") or 2
    // ("Other Program"), or the user opens a file starting in `folder` (a removable drive's root).
    virtual void AddPickedProgram(int groupChoice) = 0;
    virtual void OpenFileFrom(const std::wstring& folder) = 0;
    // The program picked in "Add Program" (its path), empty when none is.
    virtual const std::wstring& pickedProgramPath() const = 0;
    virtual bool PanelShown() const = 0;
    virtual SelectDialogFocus& selectDialog() = 0;
    // The removable and CD-ROM roots, scanned once the menu is up.
    virtual DriveRootLists& drives() = 0;
    // The pictures of the turn between the menu and a page.
    virtual TurnPictures& turnPictures() = 0;

protected:
    ~ShellServices() = default;
};

}  // namespace tessaly
