#pragma once
// Process-wide values that several launcher windows read. Touched only on the user-interface
// thread.
#include <windows.h>

#include <string>

namespace tessaly {

struct AppState {
    HWND mainWindowHandle = nullptr;
    int menuSelection = 1;       // highlighted main-menu tile, 1..8
    int tileSelection = 1;       // highlighted page or select-dialog entry
    int runningCommand = 0;      // menu command in progress, 0 when none
    bool menuShown = false;      // start prompt dismissed, tiles shown
    bool karaokePanelShown = false;
    HWND karaokePanelWindow = nullptr;
    bool selectDialogActive = false;
    HWND selectDialogWindow = nullptr;
    bool closing = false;
    std::wstring removableDrives;  // "E:\ F:\ " style roots
    std::wstring cdromDrives;
    std::wstring chosenProgramPath;
    std::wstring chosenProgramName;
    std::wstring clickSoundPath;
};

AppState& State();

}  // namespace tessaly
