#include "launcher/system/player_media.h"

#include <utility>

#include "launcher/system/player_dshow.h"
#include "launcher/system/player_wmp.h"

namespace tessaly {

namespace {

constexpr wchar_t kNotifyClass[] = L"TessalyPlayerNotify";

// Whether a file is there and has anything in it: an engine never sees one that has not.
bool HasContent(const std::wstring& path) {
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    win32::Handle file(::CreateFileW(path.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    return file && ::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0;
}

}  // namespace

MediaPlayer::MediaPlayer(Options options) : options_(options) {}

MediaPlayer::~MediaPlayer() { Unbind(); }

LRESULT CALLBACK MediaPlayer::NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgPlayerEnded || msg == kMsgPlayerFailed || msg == kMsgPlayerGraph) {
        auto* self = reinterpret_cast<MediaPlayer*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) self->OnEngineMessage(msg, wp);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

bool MediaPlayer::Bind(HWND host, int controlId, const RECT& rect) {
    Unbind();
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = NotifyProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kNotifyClass;
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return false;
    ole_.emplace();
    notify_.reset(::CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
    if (!notify_) return false;
    ::SetWindowLongPtrW(notify_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    if (!options_.forceDirectShow) {
        if (options_.makeControl) {
            wmp_ = options_.makeControl(frame_);
        } else {
            wmp_ = std::make_unique<WmpEngine>(frame_);
        }
        if (wmp_ && !wmp_->Create(host, controlId, rect, notify_.get())) wmp_.reset();
    }
    dshow_ = std::make_unique<DirectShowEngine>(frame_);
    if (!dshow_->Create(host, controlId, rect, notify_.get())) dshow_.reset();
    active_ = wmp_ ? static_cast<PlayerEngine*>(wmp_.get()) : dshow_.get();
    if (!active_) {
        Unbind();
        return false;
    }
    SetUiMode(L"invisible");
    return true;
}

void MediaPlayer::Unbind() {
    StopAll();
    wmp_.reset();
    dshow_.reset();
    active_ = nullptr;
    frame_.Destroy();
    notify_.reset();
    ole_.reset();
    queue_.Clear();
    nativeList_ = false;
    list_ = false;
    ranOut_ = false;
    pending_ = false;
}

void MediaPlayer::StopAll() {
    ++ticket_;  // whatever the engines still report is about a file we have left
    if (wmp_) wmp_->Stop();
    if (dshow_) dshow_->Stop();
    if (active_) active_->SetFullScreen(false);
}

void MediaPlayer::SetUrl(const std::wstring& path) {
    StopAll();
    queue_.Assign({path});
    nativeList_ = false;
    list_ = false;
    ranOut_ = false;
    pending_ = true;
}

// Where the control plays its own list, only it knows which file it is on.
std::wstring MediaPlayer::Url() const {
    return nativeList_ && active_ ? active_->ListFile() : queue_.Current();
}

void MediaPlayer::SetPlaylist(const std::vector<std::wstring>& paths) {
    StopAll();
    queue_.Assign(paths);
    nativeList_ = wmp_ && wmp_->OpenList(paths, ticket_);
    if (nativeList_) active_ = wmp_.get();
    list_ = true;
    ranOut_ = false;
    pending_ = !nativeList_;
}

void MediaPlayer::AppendToPlaylist(const std::vector<std::wstring>& paths) {
    if (paths.empty() || !list_) return;
    queue_.Append(paths);
    if (nativeList_) {
        // A control that takes no more keeps playing what it has.
        wmp_->AppendToList(paths);
        return;
    }
    // The files found so far have all played (or failed) before the rest came: go on with them.
    if (ranOut_ && queue_.Advance()) {
        ranOut_ = false;
        OpenCurrent();
    }
}

void MediaPlayer::Play() {
    if (!active_) return;
    if (nativeList_) {
        active_->Resume();
        return;
    }
    if (pending_) {
        pending_ = false;
        OpenCurrent();
        return;
    }
    switch (active_->State()) {
        case PlayState::Playing: return;
        case PlayState::Paused: active_->Resume(); return;
        default: OpenCurrent(); return;
    }
}

void MediaPlayer::OpenCurrent() {
    if (!queue_.HasCurrent()) return;
    const std::wstring& path = queue_.Current();
    const WPARAM ticket = ++ticket_;
    PlayerEngine* first = wmp_ ? static_cast<PlayerEngine*>(wmp_.get()) : dshow_.get();
    const bool wasFull = active_ && active_->FullScreen();
    if (active_ && active_ != first) active_->Stop();
    active_ = first;
    const bool worthTrying = HasContent(path);
    bool ok = worthTrying && first && first->Open(path, ticket);
    if (!ok && worthTrying && first == wmp_.get() && dshow_) {
        wmp_->Stop();
        active_ = dshow_.get();
        ok = dshow_->Open(path, ticket);
    }
    if (ok) {
        if (wasFull) active_->SetFullScreen(true);
        return;
    }
    // Nothing plays this file: in a list, the next one gets its turn (after the queue's messages,
    // so a long run of bad files never blocks the window).
    if (list_) ::PostMessageW(notify_.get(), kMsgPlayerEnded, ticket, 0);
}

void MediaPlayer::MoveOn() {
    if (queue_.Advance()) {
        OpenCurrent();
        return;
    }
    // The list has run out: nothing left to show full screen.
    ranOut_ = true;
    if (active_) active_->SetFullScreen(false);
}

void MediaPlayer::OnEngineMessage(UINT msg, WPARAM ticket) {
    if (msg == kMsgPlayerGraph) {
        if (dshow_) dshow_->OnGraphEvents();
        return;
    }
    if (ticket != ticket_ || nativeList_) return;
    if (msg == kMsgPlayerFailed && active_ == wmp_.get() && dshow_ && queue_.HasCurrent()) {
        // The control gave up on the file later on: DirectShow may still play it.
        const WPARAM next = ++ticket_;
        wmp_->Stop();
        active_ = dshow_.get();
        if (dshow_->Open(queue_.Current(), next)) return;
    }
    MoveOn();
}

void MediaPlayer::Pause() {
    if (active_) active_->Pause();
}

void MediaPlayer::Stop() {
    StopAll();
    pending_ = false;
    ranOut_ = false;
}

void MediaPlayer::Next() {
    if (!active_) return;
    if (nativeList_) {
        active_->Next();
    } else if (queue_.Advance()) {
        OpenCurrent();
    }
}

void MediaPlayer::Previous() {
    if (!active_) return;
    if (nativeList_) {
        active_->Previous();
    } else if (queue_.Back()) {
        OpenCurrent();
    }
}

void MediaPlayer::FastForward() {
    if (active_) active_->FastForward();
}

void MediaPlayer::FastReverse() {
    if (active_) active_->FastReverse();
}

PlayState MediaPlayer::State() const {
    return active_ ? active_->State() : PlayState::Undefined;
}

bool MediaPlayer::FullScreen() const { return active_ && active_->FullScreen(); }

void MediaPlayer::SetFullScreen(bool on) {
    if (active_) active_->SetFullScreen(on);
}

void MediaPlayer::SetUiMode(const std::wstring& mode) {
    if (wmp_) wmp_->SetUiMode(mode);
    if (dshow_) dshow_->SetUiMode(mode);
}

bool MediaPlayer::UsingDirectShow() const { return active_ && active_ == dshow_.get(); }

MediaPlayer& TheMediaPlayer() {
    static MediaPlayer player([] {
        MediaPlayer::Options options;
        wchar_t value[32] = {};
        const DWORD n = ::GetEnvironmentVariableW(L"TESSALY_PLAYER", value, 32);
        options.forceDirectShow = n > 0 && n < 32 && ::lstrcmpiW(value, L"directshow") == 0;
        return options;
    }());
    return player;
}

}  // namespace tessaly
