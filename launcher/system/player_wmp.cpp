#include "launcher/system/player_wmp.h"

#include <ocidl.h>
#include <oleauto.h>

#include "launcher/system/player_fullscreen.h"

namespace tessaly {

namespace {

constexpr wchar_t kPlayerClsid[] = L"{6BF52A52-394A-11D3-B153-00C04F79FAA6}";
constexpr DISPID kDispPlayStateChange = 5101;
constexpr DISPID kDispMediaError = 5501;

// Play states of the control that the player needs beyond the public ones.
constexpr long kWmpUndefined = 0;
constexpr long kWmpStopped = 1;
constexpr long kWmpMediaEnded = 8;
constexpr long kWmpReady = 10;

using AxWinInitFn = BOOL(WINAPI*)();
using AxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

struct AtlHost {
    win32::Module module;
    AxGetControlFn getControl = nullptr;
    bool ready = false;
};

// The system's ActiveX host, loaded once for the life of the process.
const AtlHost& Atl() {
    static const AtlHost host = [] {
        AtlHost h;
        h.module.reset(::LoadLibraryW(L"atl.dll"));
        if (!h.module) return h;
        auto init = win32::ProcAddress<AxWinInitFn>(h.module.get(), "AtlAxWinInit");
        h.getControl = win32::ProcAddress<AxGetControlFn>(h.module.get(), "AtlAxGetControl");
        h.ready = init && h.getControl && init();
        return h;
    }();
    return host;
}

PlayState FromWmp(long s) {
    switch (s) {
        case 1: return PlayState::Stopped;
        case 2: return PlayState::Paused;
        case 3: return PlayState::Playing;
        case 8: return PlayState::MediaEnded;
        default: return PlayState::Undefined;
    }
}

// A BSTR for the length of one call: one we pass, or one the control hands back.
class Bstr {
public:
    Bstr() : b_(nullptr) {}
    explicit Bstr(const std::wstring& s)
        : b_(::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    ~Bstr() { ::SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }
    BSTR* put() {
        ::SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    std::wstring str() const { return b_ ? std::wstring(b_, ::SysStringLen(b_)) : std::wstring(); }

private:
    BSTR b_;
};

}  // namespace

// Receives the control's _WMPOCXEvents and hands the two it needs to the engine.
class WmpEventSink : public IDispatch {
public:
    explicit WmpEventSink(WmpEngine* engine) : engine_(engine) {}
    void Detach() { engine_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_WMPOCXEvents)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (!engine_) return S_OK;
        if (id == kDispPlayStateChange && params && params->cArgs >= 1) {
            VARIANT v;
            ::VariantInit(&v);
            if (SUCCEEDED(::VariantChangeType(&v, &params->rgvarg[0], 0, VT_I4)))
                engine_->OnPlayStateChange(v.lVal);
            ::VariantClear(&v);
        } else if (id == kDispMediaError) {
            engine_->OnMediaError();
        }
        return S_OK;
    }

private:
    virtual ~WmpEventSink() = default;
    LONG refs_ = 1;
    WmpEngine* engine_;
};

WmpEngine::~WmpEngine() { Destroy(); }

bool WmpEngine::Create(HWND host, int controlId, const RECT& rect, HWND notify) {
    Destroy();
    const AtlHost& atl = Atl();
    if (!atl.ready) return false;
    host_ = host;
    notify_ = notify;
    rect_ = rect;
    axWindow_.reset(::CreateWindowExW(0, L"AtlAxWin", kPlayerClsid,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, host,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                      ::GetModuleHandleW(nullptr), nullptr));
    if (!axWindow_) return false;
    win32::ComPtr<IUnknown> control;
    if (FAILED(atl.getControl(axWindow_.get(), control.put())) || !control ||
        FAILED(control->QueryInterface(__uuidof(IWMPPlayer4), player_.put_void())) ||
        FAILED(player_->get_controls(controls_.put())) || !controls_) {
        Destroy();
        return false;
    }
    if (FAILED(player_->get_currentPlaylist(playlist_.put()))) playlist_.reset();

    win32::ComPtr<IConnectionPointContainer> points;
    if (SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer, points.put_void())) &&
        SUCCEEDED(points->FindConnectionPoint(__uuidof(_WMPOCXEvents), eventPoint_.put()))) {
        sinkImpl_ = new WmpEventSink(this);
        sink_ = win32::ComPtr<IDispatch>::Attach(sinkImpl_);
        if (FAILED(eventPoint_->Advise(sink_.get(), &eventCookie_))) {
            eventCookie_ = 0;
            eventPoint_.reset();
        }
    }
    player_->put_enableContextMenu(VARIANT_FALSE);
    return true;
}

void WmpEngine::Destroy() {
    if (controls_) controls_->stop();
    LeaveFrame();
    if (eventPoint_ && eventCookie_) eventPoint_->Unadvise(eventCookie_);
    eventCookie_ = 0;
    if (sinkImpl_) sinkImpl_->Detach();
    sinkImpl_ = nullptr;
    sink_.reset();
    eventPoint_.reset();
    playlist_.reset();
    controls_.reset();
    player_.reset();
    axWindow_.reset();
    loaded_ = false;
    eventState_ = kWmpUndefined;
}

bool WmpEngine::Open(const std::wstring& path, WPARAM ticket) {
    if (!player_) return false;
    // A new file always starts from a stopped control: a play right after a failed file takes
    // some versions of the control down with the whole process.
    controls_->stop();
    ticket_ = ticket;
    eventsSeen_ = 0;
    loaded_ = false;
    Bstr url(path);
    if (FAILED(player_->put_URL(url.get()))) return false;
    // Some controls report the outcome while the URL is being put: ending on "undefined" after
    // its transitions means the file was refused.
    if (eventsSeen_ > 0 && eventState_ == kWmpUndefined) return false;
    loaded_ = true;
    if (eventState_ == kWmpReady || eventState_ == kWmpStopped) controls_->play();
    return true;
}

bool WmpEngine::OpenList(const std::vector<std::wstring>& paths, WPARAM ticket) {
    if (!player_ || !playlist_ || paths.empty()) return false;
    controls_->stop();
    ticket_ = ticket;
    loaded_ = false;
    if (FAILED(playlist_->clear()) || !AppendItems(paths)) return false;
    // A control that accepts the calls but keeps nothing is no list either.
    long count = 0;
    if (FAILED(playlist_->get_count(&count)) || count != static_cast<long>(paths.size()))
        return false;
    if (FAILED(player_->put_currentPlaylist(playlist_.get()))) return false;
    loaded_ = true;
    return true;
}

bool WmpEngine::AppendItems(const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths) {
        Bstr url(path);
        win32::ComPtr<IWMPMedia> media;
        if (FAILED(player_->newMedia(url.get(), media.put())) || !media ||
            FAILED(playlist_->appendItem(media.get())))
            return false;
    }
    return true;
}

bool WmpEngine::AppendToList(const std::vector<std::wstring>& paths) {
    return player_ && playlist_ && loaded_ && AppendItems(paths);
}

void WmpEngine::Resume() {
    if (controls_ && loaded_) controls_->play();
}

void WmpEngine::Pause() {
    if (controls_) controls_->pause();
}

void WmpEngine::Stop() {
    if (controls_) controls_->stop();
    LeaveFrame();
}

void WmpEngine::Next() {
    if (controls_) controls_->next();
}

void WmpEngine::Previous() {
    if (controls_) controls_->previous();
}

void WmpEngine::FastForward() {
    if (controls_) controls_->fastForward();
}

void WmpEngine::FastReverse() {
    if (controls_) controls_->fastReverse();
}

PlayState WmpEngine::State() const {
    if (!player_) return PlayState::Undefined;
    WMPPlayState s = wmppsUndefined;
    if (SUCCEEDED(player_->get_playState(&s))) return FromWmp(s);
    return FromWmp(eventState_);
}

bool WmpEngine::FullScreen() const {
    if (inFrame_) return true;
    VARIANT_BOOL on = VARIANT_FALSE;
    return player_ && SUCCEEDED(player_->get_fullScreen(&on)) && on != VARIANT_FALSE;
}

void WmpEngine::SetFullScreen(bool on) {
    if (!player_) return;
    if (!on) {
        if (inFrame_)
            LeaveFrame();
        else
            player_->put_fullScreen(VARIANT_FALSE);
        return;
    }
    if (inFrame_ || SUCCEEDED(player_->put_fullScreen(VARIANT_TRUE))) return;
    // The control cannot go full screen itself: lend its window to our frame.
    HWND frame = frame_.Open(host_);
    if (!frame) return;
    const SIZE s = frame_.Size();
    ::SetParent(axWindow_.get(), frame);
    ::SetWindowPos(axWindow_.get(), HWND_TOP, 0, 0, s.cx, s.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    inFrame_ = true;
}

void WmpEngine::LeaveFrame() {
    if (!inFrame_) return;
    inFrame_ = false;
    if (axWindow_) {
        ::SetParent(axWindow_.get(), host_);
        ::SetWindowPos(axWindow_.get(), HWND_TOP, rect_.left, rect_.top, rect_.right - rect_.left,
                       rect_.bottom - rect_.top, SWP_NOACTIVATE);
    }
    frame_.Close();
}

void WmpEngine::SetUiMode(const std::wstring& mode) {
    if (!player_) return;
    Bstr value(mode);
    if (SUCCEEDED(player_->put_uiMode(value.get()))) return;
    // Without UI modes the control's window itself is shown or hidden.
    ::ShowWindow(axWindow_.get(), mode == L"invisible" ? SW_HIDE : SW_SHOWNA);
}

std::wstring WmpEngine::ListFile() const {
    if (!player_) return {};
    win32::ComPtr<IWMPMedia> media;
    Bstr url;
    if (FAILED(player_->get_currentMedia(media.put())) || !media ||
        FAILED(media->get_sourceURL(url.put())))
        return {};
    return url.str();
}

void WmpEngine::OnPlayStateChange(long state) {
    eventState_ = state;
    ++eventsSeen_;
    if (state == kWmpMediaEnded && notify_) ::PostMessageW(notify_, kMsgPlayerEnded, ticket_, 0);
}

void WmpEngine::OnMediaError() {
    if (notify_) ::PostMessageW(notify_, kMsgPlayerFailed, ticket_, 0);
}

}  // namespace tessaly
