#pragma once
// The process-wide media player behind the browser's player port. It hosts the Media Player
// control where the system has one and plays through DirectShow otherwise (and for files the
// control refuses). Where the control keeps no list, the player keeps it and moves on itself.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/system/player_fullscreen.h"
#include "launcher/model/player_port.h"
#include "launcher/model/player_queue.h"
#include "win32/handles.h"

namespace tessaly {

class PlayerEngine;
class DirectShowEngine;

class MediaPlayer : public PlayerPort {
public:
    struct Options {
        bool forceDirectShow = false;  // tests of the DirectShow path
        // Makes the engine tried first in place of the control (tests hand in a stand-in).
        std::function<std::unique_ptr<PlayerEngine>(FullScreenFrame&)> makeControl;
    };
    MediaPlayer() : MediaPlayer(Options()) {}
    explicit MediaPlayer(Options options);
    ~MediaPlayer() override;

    bool Bind(HWND host, int controlId, const RECT& rect) override;
    void Unbind() override;
    void SetUrl(const std::wstring& path) override;
    std::wstring Url() const override;
    void SetPlaylist(const std::vector<std::wstring>& paths) override;
    void AppendToPlaylist(const std::vector<std::wstring>& paths) override;
    void Play() override;
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

    // What plays the current file: true for DirectShow, false for the control.
    bool UsingDirectShow() const;
    bool HasControl() const { return wmp_ != nullptr; }
    // The window that holds the picture while full screen (null before the first time).
    HWND FullScreenWindow() const { return frame_.hwnd(); }

private:
    static LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void OnEngineMessage(UINT msg, WPARAM ticket);
    void OpenCurrent();
    void MoveOn();
    void StopAll();

    Options options_;
    std::optional<win32::OleInit> ole_;  // the control needs OLE, whoever else started it
    FullScreenFrame frame_;
    std::unique_ptr<PlayerEngine> wmp_;  // the control, or the stand-in of Options
    std::unique_ptr<DirectShowEngine> dshow_;
    PlayerEngine* active_ = nullptr;
    win32::OwnedWindow notify_;
    PlayQueue queue_;
    bool nativeList_ = false;  // the control plays the list itself
    bool pending_ = false;     // a file or list is set but not started yet
    bool list_ = false;        // the files come from SetPlaylist: a failed one moves on
    bool ranOut_ = false;      // the list played to its end: files added later start playing
    WPARAM ticket_ = 0;
};

// The one player of the process. TESSALY_PLAYER=directshow in the environment makes it skip the
// control (end-to-end tests of the DirectShow path).
MediaPlayer& TheMediaPlayer();

}  // namespace tessaly
