#include "launcher/system/player_dshow.h"

#include <cwchar>

#include "launcher/system/player_fullscreen.h"

namespace tessaly {

namespace {
constexpr LONGLONG kSkip = 10LL * 10000000LL;  // ten seconds in 100 ns units
}

DirectShowEngine::~DirectShowEngine() { Destroy(); }

bool DirectShowEngine::Create(HWND host, int, const RECT& rect, HWND notify) {
    Destroy();
    // Only a system that can build graphs offers this engine.
    win32::ComPtr<IGraphBuilder> probe;
    if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, probe.put_void())))
        return false;
    host_ = host;
    notify_ = notify;
    rect_ = rect;
    return true;
}

void DirectShowEngine::Destroy() {
    Release();
    if (fullScreen_) frame_.Close();
    fullScreen_ = false;
    state_ = PlayState::Undefined;
    path_.clear();
}

void DirectShowEngine::Release() {
    if (events_) events_->SetNotifyWindow(0, 0, 0);
    if (control_) control_->Stop();
    if (video_ && hasVideo_) {
        video_->put_Visible(OAFALSE);
        video_->put_MessageDrain(0);
    }
    hasVideo_ = false;
    videoWindow_ = nullptr;
    video_.reset();
    seeking_.reset();
    events_.reset();
    control_.reset();
    graph_.reset();
}

bool DirectShowEngine::Open(const std::wstring& path, WPARAM ticket) {
    Release();
    path_ = path;
    ticket_ = ticket;
    state_ = PlayState::Undefined;
    if (!host_ ||
        FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IGraphBuilder, graph_.put_void())) ||
        FAILED(graph_->RenderFile(path.c_str(), nullptr)) ||
        FAILED(graph_->QueryInterface(IID_IMediaControl, control_.put_void())) ||
        FAILED(graph_->QueryInterface(IID_IMediaEventEx, events_.put_void()))) {
        Release();
        return false;
    }
    if (FAILED(graph_->QueryInterface(IID_IMediaSeeking, seeking_.put_void()))) seeking_.reset();
    events_->SetNotifyWindow(reinterpret_cast<OAHWND>(notify_), kMsgPlayerGraph, 0);
    // The picture gets a borderless window of its own that we lay over the player's rectangle (or
    // the screen). Not a child of ours: under some systems a child video window stays black.
    if (SUCCEEDED(graph_->QueryInterface(IID_IVideoWindow, video_.put_void())))
        hasVideo_ = SUCCEEDED(video_->put_WindowStyle(WS_POPUP | WS_CLIPSIBLINGS));
    if (hasVideo_) {
        video_->put_WindowStyleEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
        // IVideoWindow hands out no handle: a caption of our own finds the window.
        wchar_t caption[48];
        std::swprintf(caption, 48, L"Tessaly video %p", static_cast<void*>(this));
        BSTR text = ::SysAllocString(caption);
        video_->put_Caption(text);
        ::SysFreeString(text);
        videoWindow_ = ::FindWindowW(nullptr, caption);
        // We show it ourselves, without activating it: the keys (Alt+Enter among them, which
        // its message drain does not pass on) stay with the browser.
        if (videoWindow_) video_->put_AutoShow(OAFALSE);
        // Keys and clicks on the picture go to the browser.
        video_->put_MessageDrain(reinterpret_cast<OAHWND>(host_));
        PlaceVideo();
    }
    if (FAILED(control_->Run())) {
        Release();
        return false;
    }
    state_ = PlayState::Playing;
    return true;
}

void DirectShowEngine::PlaceVideo() {
    if (!hasVideo_) return;
    // Owned by the browser (or the frame over it), the picture stays above them; shown without
    // activation, it leaves the keys with the browser.
    HWND owner = fullScreen_ ? frame_.hwnd() : ::GetAncestor(host_, GA_ROOT);
    RECT r = rect_;
    ::MapWindowPoints(host_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    if (fullScreen_) r = RECT{0, 0, frame_.Size().cx, frame_.Size().cy};
    const bool show = fullScreen_ || visible_;
    if (videoWindow_) {
        ::SetWindowLongPtrW(videoWindow_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        ::SetWindowPos(videoWindow_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return;
    }
    video_->SetWindowPosition(r.left, r.top, r.right - r.left, r.bottom - r.top);
    video_->put_Visible(show ? OATRUE : OAFALSE);
}

void DirectShowEngine::Resume() {
    if (state_ == PlayState::Paused && control_) {
        if (SUCCEEDED(control_->Run())) state_ = PlayState::Playing;
    } else if ((state_ == PlayState::Stopped || state_ == PlayState::MediaEnded) &&
               !path_.empty()) {
        Open(path_, ticket_);
    }
}

void DirectShowEngine::Pause() {
    if (state_ == PlayState::Playing && control_ && SUCCEEDED(control_->Pause()))
        state_ = PlayState::Paused;
}

void DirectShowEngine::Stop() {
    Release();
    if (state_ != PlayState::Undefined) state_ = PlayState::Stopped;
    SetFullScreen(false);
}

void DirectShowEngine::Seek(LONGLONG delta) {
    if (!seeking_) return;
    LONGLONG now = 0, duration = 0;
    if (FAILED(seeking_->GetCurrentPosition(&now)) || FAILED(seeking_->GetDuration(&duration)))
        return;
    LONGLONG to = now + delta;
    if (to < 0) to = 0;
    if (to > duration) to = duration;
    seeking_->SetPositions(&to, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

void DirectShowEngine::FastForward() {
    if (state_ == PlayState::Playing) Seek(kSkip);
}

void DirectShowEngine::FastReverse() {
    if (state_ == PlayState::Playing) Seek(-kSkip);
}

void DirectShowEngine::SetFullScreen(bool on) {
    if (on == fullScreen_) return;
    // The frame blacks out the screen; a picture, when there is one, lies on top of it.
    if (on && !frame_.Open(host_)) return;
    fullScreen_ = on;
    PlaceVideo();
    if (!on) frame_.Close();
}

void DirectShowEngine::SetUiMode(const std::wstring& mode) {
    visible_ = mode != L"invisible";
    PlaceVideo();
}

void DirectShowEngine::OnGraphEvents() {
    if (!events_) return;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    // The graph may go while we read (a report makes us stop): keep it alive for the loop.
    win32::ComPtr<IMediaEventEx> events = events_;
    while (events.get() == events_.get() && events->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        events->FreeEventParams(code, p1, p2);
        if (code == EC_COMPLETE) {
            state_ = PlayState::MediaEnded;
            ::PostMessageW(notify_, kMsgPlayerEnded, ticket_, 0);
        } else if (code == EC_ERRORABORT || code == EC_USERABORT) {
            state_ = PlayState::Stopped;
            ::PostMessageW(notify_, kMsgPlayerFailed, ticket_, 0);
        }
    }
}

}  // namespace tessaly
