#pragma once
// The Media Player control hosted through the system's ActiveX host window ("AtlAxWin"), driven
// through its typed interfaces. What the control does not implement is made up for here: the play
// state comes from its PlayStateChange events when playState cannot be read, full screen and the
// UI mode are done with the control's window when the control refuses them.
#include <windows.h>
#include <wmp.h>

#include <string>
#include <vector>

#include "launcher/system/player_engine.h"
#include "win32/handles.h"

namespace tessaly {

class WmpEventSink;

class WmpEngine : public PlayerEngine {
public:
    explicit WmpEngine(FullScreenFrame& frame) : frame_(frame) {}
    ~WmpEngine() override;

    bool Create(HWND host, int controlId, const RECT& rect, HWND notify) override;
    void Destroy() override;
    bool Open(const std::wstring& path, WPARAM ticket) override;
    bool OpenList(const std::vector<std::wstring>& paths, WPARAM ticket) override;
    bool AppendToList(const std::vector<std::wstring>& paths) override;
    void Resume() override;
    void Pause() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void FastForward() override;
    void FastReverse() override;
    PlayState State() const override;
    bool FullScreen() const override;
    void SetFullScreen(bool on) override;
    void SetUiMode(const std::wstring& mode) override;
    std::wstring ListFile() const override;

    // From the event sink.
    void OnPlayStateChange(long state);
    void OnMediaError();

private:
    void LeaveFrame();
    // Each file as a media item at the end of the playlist; false at the first one refused.
    bool AppendItems(const std::vector<std::wstring>& paths);

    FullScreenFrame& frame_;
    HWND host_ = nullptr;
    HWND notify_ = nullptr;
    RECT rect_{};
    win32::OwnedWindow axWindow_;
    win32::ComPtr<IWMPPlayer4> player_;
    win32::ComPtr<IWMPControls> controls_;
    win32::ComPtr<IWMPPlaylist> playlist_;
    win32::ComPtr<IConnectionPoint> eventPoint_;
    win32::ComPtr<IDispatch> sink_;  // our WmpEventSink
    WmpEventSink* sinkImpl_ = nullptr;
    DWORD eventCookie_ = 0;

    long eventState_ = 0;   // last PlayStateChange value
    int eventsSeen_ = 0;    // events since the last Open
    bool loaded_ = false;   // the last Open or OpenList succeeded
    bool inFrame_ = false;  // full screen made with our frame
    WPARAM ticket_ = 0;
};

}  // namespace tessaly
