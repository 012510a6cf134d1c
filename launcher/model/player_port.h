#pragma once
// What the media browser asks of the media player: operations, not dispatch ids. One production
// implementation hosts the Media Player control (DirectShow where the control cannot be created);
// tests use a recording fake.
#include <windows.h>

#include <string>
#include <vector>

namespace tessaly {

// The control's public play states; anything else counts as not playing.
enum class PlayState { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, MediaEnded = 8 };

inline bool IsPlayingOrPaused(PlayState s) {
    return s == PlayState::Playing || s == PlayState::Paused;
}

class PlayerPort {
public:
    virtual ~PlayerPort() = default;

    // Creates the player inside `host` (the browser window) at `rect` (client pixels) with the
    // given control id; context menu off, UI mode "invisible". False when no player could be made.
    virtual bool Bind(HWND host, int controlId, const RECT& rect) = 0;
    // Stops and destroys the player's window (the browser is closing).
    virtual void Unbind() = 0;

    virtual void SetUrl(const std::wstring& path) = 0;
    virtual std::wstring Url() const = 0;
    // Replaces the current list with these files in order and makes it the one that plays.
    virtual void SetPlaylist(const std::vector<std::wstring>& paths) = 0;
    // Adds files at the end of the list set last (a folder tree that is still being listed).
    virtual void AppendToPlaylist(const std::vector<std::wstring>& paths) = 0;

    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void Next() = 0;
    virtual void Previous() = 0;
    virtual void FastForward() = 0;
    virtual void FastReverse() = 0;

    virtual PlayState State() const = 0;
    virtual bool FullScreen() const = 0;
    virtual void SetFullScreen(bool on) = 0;
    // "invisible" while browsing, "full" once playback starts.
    virtual void SetUiMode(const std::wstring& mode) = 0;
};

}  // namespace tessaly
