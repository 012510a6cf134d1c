#pragma once
// A stand-in for the media player that records every call in order and answers from settable
// state, for tests of the windows that drive the player.
#include <string>
#include <vector>

#include "launcher/model/player_port.h"

namespace tessaly {

class RecordingPlayer : public PlayerPort {
public:
    bool Bind(HWND host, int controlId, const RECT& rect) override;
    void Unbind() override;
    void SetUrl(const std::wstring& path) override;
    std::wstring Url() const override { return url; }
    void SetPlaylist(const std::vector<std::wstring>& paths) override;
    void AppendToPlaylist(const std::vector<std::wstring>& paths) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void Next() override { Record(L"next"); }
    void Previous() override { Record(L"previous"); }
    void FastForward() override { Record(L"fastForward"); }
    void FastReverse() override { Record(L"fastReverse"); }
    PlayState State() const override { return state; }
    bool FullScreen() const override { return fullScreen; }
    void SetFullScreen(bool on) override;
    void SetUiMode(const std::wstring& mode) override;

    // Every call as "name" or "name:argument", in order.
    std::vector<std::wstring> calls;
    // Play and Pause move the state as a player would; tests may set it directly.
    PlayState state = PlayState::Undefined;
    bool fullScreen = false;
    std::wstring url;
    std::wstring uiMode;
    std::vector<std::wstring> playlist;
    HWND host = nullptr;
    RECT rect{};
    // When false, Play leaves the state alone (a file that cannot be played, or not yet).
    bool playStarts = true;

    void Clear() { calls.clear(); }
    int Count(const std::wstring& call) const;

private:
    void Record(const std::wstring& call) { calls.push_back(call); }
};

}  // namespace tessaly
