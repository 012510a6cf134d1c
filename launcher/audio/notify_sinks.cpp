#include "notify_sinks.h"

namespace {

template <class Sink, class Interface>
HRESULT AnswerQuery(Sink* sink, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(Interface)) || IsEqualIID(iid, __uuidof(IUnknown))) {
        *object = static_cast<Interface*>(sink);
        sink->AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

}  // namespace

HRESULT CAudioEndpointVolumeCallback::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery<CAudioEndpointVolumeCallback, IAudioEndpointVolumeCallback>(this, iid, object);
}

ULONG CAudioEndpointVolumeCallback::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG CAudioEndpointVolumeCallback::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT CAudioEndpointVolumeCallback::OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA notify) {
    return notify ? S_OK : E_INVALIDARG;
}

HRESULT CIControlChangeNotify::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery<CIControlChangeNotify, IControlChangeNotify>(this, iid, object);
}

ULONG CIControlChangeNotify::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG CIControlChangeNotify::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// The control-change sink is never registered; the pointer check is all it does.
HRESULT CIControlChangeNotify::OnNotify(DWORD /*processId*/, LPCGUID eventContext) {
    return eventContext ? S_OK : E_INVALIDARG;
}
