#pragma once
// A black window over the whole primary screen that adopts the player's picture while the player
// is full screen. It never takes the focus, so the keys keep going to the browser.
#include <windows.h>

#include "win32/handles.h"

namespace tessaly {

class FullScreenFrame {
public:
    // Shows the frame above `owner`; returns it (null when it cannot be created).
    HWND Open(HWND owner);
    void Close();
    bool IsOpen() const { return window_ && ::IsWindowVisible(window_.get()); }
    HWND hwnd() const { return window_.get(); }
    // The frame's client size (the screen).
    SIZE Size() const;
    void Destroy() { window_.reset(); }

private:
    win32::OwnedWindow window_;
    HWND owner_ = nullptr;
};

}  // namespace tessaly
