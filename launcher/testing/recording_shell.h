#pragma once
// Stands in for the main window: records what the screens ask of it.
#include <functional>
#include <string>
#include <vector>

#include "launcher/ui/shell_services.h"

namespace tessaly {

class RecordingShell : public ShellServices {
public:
    enum class Asked { kReturnFromPage, kAddPickedProgram, kOpenFileFrom };
    struct Call {
        Asked what;
        int number = 0;       // the group, or the group choice
        std::wstring folder;  // where the open-file dialog starts
    };

    void PlayClick() override { ++clicks; }
    void ReturnFromPage(int group) override {
        calls.push_back({Asked::kReturnFromPage, group, {}});
        if (onReturn) onReturn(group);
    }
    void AddPickedProgram(int groupChoice) override { calls.push_back({Asked::kAddPickedProgram, groupChoice, {}}); }
    void OpenFileFrom(const std::wstring& folder) override {
        driveLists.removableDrives = folder;
        calls.push_back({Asked::kOpenFileFrom, 0, folder});
    }
    const std::wstring& pickedProgramPath() const override { return pickedPath; }
    bool PanelShown() const override { return panelShown; }
    SelectDialogFocus& selectDialog() override { return focus; }
    DriveRootLists& drives() override { return driveLists; }
    TurnPictures& turnPictures() override { return pictures; }

    std::vector<Call> calls;
    int clicks = 0;
    bool panelShown = false;
    std::wstring pickedPath;
    SelectDialogFocus focus;
    DriveRootLists driveLists;
    TurnPictures pictures;
    std::function<void(int group)> onReturn;  // what the main window does with the page
};

}  // namespace tessaly
