#pragma once
// Playback through a DirectShow filter graph, for systems without the Media Player control and
// for files the control refuses. One graph per file; its video window sits in the player's
// rectangle of the host, or over the whole screen.
#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

#include "launcher/system/player_engine.h"
#include "win32/handles.h"

namespace tessaly {

class DirectShowEngine : public PlayerEngine {
public:
    explicit DirectShowEngine(FullScreenFrame& frame) : frame_(frame) {}
    ~DirectShowEngine() override;

    bool Create(HWND host, int controlId, const RECT& rect, HWND notify) override;
    void Destroy() override;
    bool Open(const std::wstring& path, WPARAM ticket) override;
    bool OpenList(const std::vector<std::wstring>&, WPARAM) override { return false; }
    void Resume() override;
    void Pause() override;
    void Stop() override;
    void Next() override {}
    void Previous() override {}
    void FastForward() override;
    void FastReverse() override;
    PlayState State() const override { return state_; }
    bool FullScreen() const override { return fullScreen_; }
    void SetFullScreen(bool on) override;
    void SetUiMode(const std::wstring& mode) override;
    void OnGraphEvents() override;

private:
    void Release();
    void PlaceVideo();
    void Seek(LONGLONG delta);

    FullScreenFrame& frame_;
    HWND host_ = nullptr;
    HWND notify_ = nullptr;
    RECT rect_{};
    std::wstring path_;
    WPARAM ticket_ = 0;
    win32::ComPtr<IGraphBuilder> graph_;
    win32::ComPtr<IMediaControl> control_;
    win32::ComPtr<IMediaEventEx> events_;
    win32::ComPtr<IMediaSeeking> seeking_;
    win32::ComPtr<IVideoWindow> video_;
    HWND videoWindow_ = nullptr;  // the graph's, found by its caption
    bool hasVideo_ = false;
    bool visible_ = true;
    bool fullScreen_ = false;
    PlayState state_ = PlayState::Undefined;
};

}  // namespace tessaly
