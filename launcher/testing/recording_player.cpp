#include "launcher/testing/recording_player.h"

#include <algorithm>

namespace tessaly {

bool RecordingPlayer::Bind(HWND h, int controlId, const RECT& r) {
    host = h;
    rect = r;
    Record(L"bind:" + std::to_wstring(controlId));
    return true;
}

void RecordingPlayer::Unbind() {
    host = nullptr;
    Record(L"unbind");
}

void RecordingPlayer::SetUrl(const std::wstring& path) {
    url = path;
    Record(L"url:" + path);
}

void RecordingPlayer::SetPlaylist(const std::vector<std::wstring>& paths) {
    playlist = paths;
    Record(L"playlist:" + std::to_wstring(paths.size()));
}

void RecordingPlayer::AppendToPlaylist(const std::vector<std::wstring>& paths) {
    playlist.insert(playlist.end(), paths.begin(), paths.end());
    Record(L"append:" + std::to_wstring(paths.size()));
}

void RecordingPlayer::Play() {
    if (playStarts) state = PlayState::Playing;
    Record(L"play");
}

void RecordingPlayer::Pause() {
    if (state == PlayState::Playing) state = PlayState::Paused;
    Record(L"pause");
}

void RecordingPlayer::Stop() {
    state = PlayState::Stopped;
    fullScreen = false;
    Record(L"stop");
}

void RecordingPlayer::SetFullScreen(bool on) {
    fullScreen = on;
    Record(on ? L"fullScreen:1" : L"fullScreen:0");
}

void RecordingPlayer::SetUiMode(const std::wstring& mode) {
    uiMode = mode;
    Record(L"uiMode:" + mode);
}

int RecordingPlayer::Count(const std::wstring& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

}  // namespace tessaly
