#pragma once
// The hidden main window of the OSD program: owns the keyboard hook and the OSD box, and turns the
// hook's messages into displays.
#include <windows.h>

#include "osd/osd_box.h"
#include "osd/system_volume.h"
#include "win32/key_state.h"
#include "win32/keyboard_hook.h"
#include "win32/window.h"

namespace osd {

class OsdWindow : public win32::Dialog {
public:
    explicit OsdWindow(VolumeControl& volume);
    ~OsdWindow() override;

    OsdBox& info() { return info_; }

protected:
    BOOL OnInitDialog() override;
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnClose() override;
    // Stray Enter or Escape keys must not end a program nobody sees.
    void OnOK() override {}
    void OnCancel() override {}

private:
    bool EnsureInfo();
    void PaintIconic();
    // The hook's decision for one key: post the display request, never swallow the key.
    bool OnHookKey(WPARAM event, const KBDLLHOOKSTRUCT& key);
    void WatchAppCommands();
    void StopWatchingAppCommands();
    void OnAppCommand(LPARAM lp);

    HICON icon_ = nullptr;  // shared icon from LoadIcon: owned by the system
    OsdBox info_;
    win32::KeyboardHook hook_;
    win32::AsyncKeyState keys_;
    // Application commands left to the system: the shell hook window, or else our shell hook library.
    UINT shellHookMessage_ = 0;
    bool shellHookWindow_ = false;
    win32::Module shellLibrary_;  // before its hook: unhooked first
    win32::HookHandle shellHook_;
};

}  // namespace osd
