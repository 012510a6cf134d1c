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

HRESULT EndpointVolumeSink::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery<EndpointVolumeSink, IAudioEndpointVolumeCallback>(this, iid, object);
}

ULONG EndpointVolumeSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG EndpointVolumeSink::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT EndpointVolumeSink::OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA notify) {
    return notify ? S_OK : E_INVALIDARG;
}

HRESULT ControlChangeSink::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery<ControlChangeSink, IControlChangeNotify>(this, iid, object);
}

ULONG ControlChangeSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG ControlChangeSink::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// The control-change sink is never registered; the pointer check is all it does.
HRESULT ControlChangeSink::OnNotify(DWORD /*processId*/, LPCGUID eventContext) {
    return eventContext ? S_OK : E_INVALIDARG;
}
