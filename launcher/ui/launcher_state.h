#pragma once
// What several launcher windows read and write. The application object owns the one instance,
// which holds the GDI+ session its pictures need; windows get it by reference at construction.
// Touched only on the user-interface thread.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/skin/skin_image.h"
#include "win32/handles.h"

namespace tessaly {

struct LauncherState {
    // GDI+ for the pictures below and those of the windows, started by the main window once its
    // first frame is on screen (nothing on it is drawn with GDI+, and loading it delayed that frame
    // by about 10 ms). First, so that it ends after every picture here.
    std::optional<win32::GdiplusSession> gdiplus;
    HWND mainWindow = nullptr;
    int menuSelection = 1;       // highlighted main-menu tile, 1..8
    int runningCommand = 0;      // menu command in progress, 0 when none
    bool menuShown = false;      // start prompt dismissed, tiles shown
    bool closing = false;        // the main window is closing: late hand-overs are ignored
    bool karaokePanelShown = false;
    HWND karaokePanelWindow = nullptr;
    bool selectDialogActive = false;
    HWND selectDialogWindow = nullptr;
    std::wstring removableDrives;  // "E:\ F:\ " style roots
    std::wstring cdromDrives;
    std::wstring chosenProgramPath;
    std::wstring chosenProgramName;
    std::wstring clickSoundPath;
    TurnPictures turnPictures;
    std::unique_ptr<SkinImage> folderIcon;  // drawn by the browser rows; empty when missing

    // Hands the keyboard back to an active select dialog.
    void FocusSelectDialog() const {
        HWND dialog = selectDialogWindow;
        if (dialog && ::IsWindow(dialog) && ::GetFocus() != dialog) ::SetFocus(dialog);
    }
};

}  // namespace tessaly
