#pragma once
// One way of playing media (the Media Player control, or a DirectShow graph). The media player
// picks an engine, keeps the list of files where the engine keeps none, and turns the engine's
// reports into its own state.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/model/player_port.h"

namespace tessaly {

// Private messages to the media player's own message window (never to the browser).
constexpr UINT kMsgPlayerEnded = WM_APP + 40;       // the current file played to its end
constexpr UINT kMsgPlayerFailed = WM_APP + 41;      // the current file cannot be played
constexpr UINT kMsgPlayerGraph = WM_APP + 42;       // a DirectShow graph has events waiting

class FullScreenFrame;

class PlayerEngine {
public:
    virtual ~PlayerEngine() = default;

    // `notify` is the player's message window: the engine posts the messages above to it.
    virtual bool Create(HWND host, int controlId, const RECT& rect, HWND notify) = 0;
    virtual void Destroy() = 0;

    // Loads a file and starts it; false when it is known at once that it cannot be played.
    // Later reports about this file (kMsgPlayerEnded, kMsgPlayerFailed) carry `ticket` as wParam,
    // so the player can tell them from reports about a file it has already left.
    virtual bool Open(const std::wstring& path, WPARAM ticket) = 0;
    // Makes a whole list the engine's own (Resume starts it); false when the engine keeps none.
    virtual bool OpenList(const std::vector<std::wstring>& paths, WPARAM ticket) = 0;
    // Adds files at the end of the list OpenList made; false when the engine keeps none.
    virtual bool AppendToList(const std::vector<std::wstring>&) { return false; }

    virtual void Resume() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Only for engines that keep a list (OpenList returned true).
    virtual void Next() = 0;
    virtual void Previous() = 0;
    virtual void FastForward() = 0;
    virtual void FastReverse() = 0;

    virtual PlayState State() const = 0;
    virtual bool FullScreen() const = 0;
    virtual void SetFullScreen(bool on) = 0;
    virtual void SetUiMode(const std::wstring& mode) = 0;
    // Where the engine plays its own list: the file it is on (empty when it cannot say).
    virtual std::wstring ListFile() const { return {}; }

    // Called by the player when the engine posted kMsgPlayerGraph.
    virtual void OnGraphEvents() {}
};

}  // namespace tessaly
