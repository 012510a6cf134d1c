#pragma once
// The click the menu and the pages play on a highlight change: each click plays to its end on a
// worker of its own, at most one every quarter second. A worker hands its thread handle back to
// the window that asked for it (a sent message), which closes it; so nothing is closed twice and
// the window can wait for every click before it goes.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/model/menu_logic.h"

namespace tessaly {

class ClickSounds {
public:
    // Workers send handBackMessage (wParam: their thread handle) to the window they played for.
    explicit ClickSounds(UINT handBackMessage) : handBackMessage_(handBackMessage) {}
    ClickSounds(const ClickSounds&) = delete;
    ClickSounds& operator=(const ClickSounds&) = delete;

    const std::wstring& path() const { return path_; }
    void SetPath(std::wstring path) { path_ = std::move(path); }

    // Starts a click for `window` unless one started less than a quarter second ago.
    void Play(HWND window);
    // A worker's hand-back: closes the handle when it is one of ours; false for any other value
    // (any program can send the message).
    bool HandBack(HANDLE thread);
    // Waits up to two seconds for the running clicks, answering their hand-backs meanwhile. A click
    // cut off at process exit can take the process down inside the sound system.
    void WaitForAll();
    std::size_t running() const { return workers_.size(); }

private:
    UINT handBackMessage_;
    std::wstring path_;
    ClickRateLimiter limiter_;
    std::vector<HANDLE> workers_;  // thread handles not yet handed back
};

}  // namespace tessaly
