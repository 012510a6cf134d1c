#include "common/testing/fake_core_audio.h"

#include <cwchar>

namespace fake {

namespace {

// Sub-unit calls carry the all-zero event context; anything else is worth seeing in the log.
std::string Context(LPCGUID context) {
    if (!context) return " (no context)";
    return IsEqualGUID(*context, GUID_NULL) ? "" : " (context)";
}

wchar_t* CoTaskCopy(const std::wstring& s) {
    auto* p = static_cast<wchar_t*>(CoTaskMemAlloc((s.size() + 1) * sizeof(wchar_t)));
    if (p) std::wmemcpy(p, s.c_str(), s.size() + 1);
    return p;
}

template <class T>
HRESULT Hand(T* object, void** out) {
    object->AddRef();
    *out = object;
    return S_OK;
}

}  // namespace

HRESULT VolumeLevel::GetChannelCount(UINT* count) {
    *count = channels;
    return S_OK;
}

HRESULT VolumeLevel::GetLevelRange(UINT channel, float* min, float* max, float* step) {
    rangeChannel = channel;
    if (channel >= channels) return E_INVALIDARG;
    *min = minDb;
    *max = maxDb;
    *step = 0.5f;
    return S_OK;
}

HRESULT VolumeLevel::SetLevelUniform(float db, LPCGUID context) {
    world_.log.push_back("level " + std::to_string(index_) + Context(context));
    setDb = db;
    return setResult;
}

HRESULT Mute::SetMute(BOOL mute, LPCGUID context) {
    world_.log.push_back("mute " + std::to_string(index_) + " " + std::to_string(mute) + Context(context));
    return S_OK;
}

HRESULT Gain::SetEnabled(BOOL enable, LPCGUID context) {
    world_.log.push_back("agc " + std::to_string(index_) + " " + std::to_string(enable) + Context(context));
    return S_OK;
}

Subunit::Subunit(World& world, UINT index)
    : volume(world, index), mute(world, index), gain(world, index), world_(world), index_(index) {
    name = "subunit " + std::to_string(index);
    volume.name = name + " level";
    mute.name = name + " mute";
    gain.name = name + " agc";
}

HRESULT Subunit::Activate(DWORD context, REFIID iid, void** out) {
    if (context != CLSCTX_ALL) world_.log.push_back("activate without CLSCTX_ALL");
    *out = nullptr;
    if (IsEqualIID(iid, __uuidof(IAudioVolumeLevel))) return Hand<IAudioVolumeLevel>(&volume, out);
    if (IsEqualIID(iid, __uuidof(IAudioMute))) return Hand<IAudioMute>(&mute, out);
    if (IsEqualIID(iid, audio::kAutoGainControlIid)) return Hand<audio::AutoGainControl>(&gain, out);
    return E_NOINTERFACE;
}

AdapterTopology::AdapterTopology(World& world, std::wstring adapterId, UINT subunitCount)
    : id(std::move(adapterId)), world_(world) {
    name = "adapter topology";
    for (UINT i = 0; i < subunitCount; ++i) subunits.push_back(std::make_unique<Subunit>(world, i));
}

HRESULT AdapterTopology::GetSubunitCount(UINT* count) {
    *count = static_cast<UINT>(subunits.size());
    return S_OK;
}

HRESULT AdapterTopology::GetSubunit(UINT index, audio::SubunitInterface** out) {
    world_.log.push_back("subunit " + std::to_string(index));
    *out = nullptr;
    if (index >= subunits.size()) return E_INVALIDARG;
    subunits[index]->AddRef();
    *out = subunits[index].get();
    return S_OK;
}

HRESULT AdapterTopology::GetDeviceId(LPWSTR* out) {
    *out = CoTaskCopy(id);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AdapterConnector::AUDIO_IPART_GET_TOPOLOGY_OBJECT(IDeviceTopology** out) {
    adapter_.AddRef();
    *out = &adapter_;
    return S_OK;
}

HRESULT EndpointConnector::GetConnectedTo(IConnector** out) {
    peer_.AddRef();
    *out = &peer_;
    return S_OK;
}

HRESULT EndpointTopology::GetConnector(UINT index, IConnector** out) {
    *out = nullptr;
    if (index != 0) return E_INVALIDARG;
    connector_.AddRef();
    *out = &connector_;
    return S_OK;
}

HRESULT EndpointVolume::RegisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) {
    world_.log.push_back(tag_ + " register");
    if (!callback || registered) return E_INVALIDARG;
    callback->AddRef();
    registered = callback;
    return S_OK;
}

HRESULT EndpointVolume::UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) {
    world_.log.push_back(tag_ + " unregister");
    if (!callback || callback != registered) return E_INVALIDARG;
    registered->Release();
    registered = nullptr;
    return S_OK;
}

HRESULT EndpointVolume::SetMute(BOOL mute, LPCGUID context) {
    world_.log.push_back(tag_ + " mute " + std::to_string(mute));
    muted = mute;
    muteContext = context ? *context : GUID_NULL;
    return S_OK;
}

HRESULT EndpointVolume::GetVolumeStepInfo(UINT* current, UINT* count) {
    *current = step;
    *count = stepCount;
    return stepInfoResult;
}

HRESULT EndpointVolume::Step(int delta, LPCGUID context) {
    world_.log.push_back(tag_ + (delta > 0 ? " up" : " down") + Context(context));
    if (stepCalls++ == failStep) return E_FAIL;
    if (delta > 0 && step + 1 < stepCount) ++step;
    if (delta < 0 && step > 0) --step;
    return S_OK;
}

HRESULT EndpointVolume::VolumeStepUp(LPCGUID context) {
    return Step(1, context);
}

HRESULT EndpointVolume::VolumeStepDown(LPCGUID context) {
    return Step(-1, context);
}

Endpoint::Endpoint(World& world, std::wstring endpointId, std::string tag, EndpointTopology& topology)
    : id(std::move(endpointId)), volume(world, tag), world_(world), tag_(std::move(tag)), topology_(topology) {
    name = tag_ + " endpoint";
    volume.name = tag_ + " endpoint volume";
}

HRESULT Endpoint::Activate(REFIID iid, DWORD context, PROPVARIANT*, void** out) {
    if (context != CLSCTX_ALL) world_.log.push_back("activate without CLSCTX_ALL");
    *out = nullptr;
    if (IsEqualIID(iid, __uuidof(IAudioEndpointVolume))) return Hand<IAudioEndpointVolume>(&volume, out);
    if (IsEqualIID(iid, __uuidof(IDeviceTopology))) {
        world_.log.push_back(tag_ + " topology");
        return Hand<IDeviceTopology>(&topology_, out);
    }
    return E_NOINTERFACE;
}

HRESULT Endpoint::GetId(LPWSTR* out) {
    *out = CoTaskCopy(id);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Enumerator::GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** out) {
    world_.log.push_back(std::string("default ") + (flow == eCapture ? "capture" : flow == eRender ? "render" : "?") +
                         (role == eMultimedia ? "" : " (role)"));
    *out = nullptr;
    if (FAILED(defaultResult)) return defaultResult;
    Endpoint& endpoint = flow == eCapture ? capture_ : render_;
    endpoint.AddRef();
    *out = &endpoint;
    return S_OK;
}

HRESULT Enumerator::GetDevice(LPCWSTR id, IMMDevice** out) {
    *out = nullptr;
    for (Endpoint* endpoint : {&render_, &capture_}) {
        if (id && endpoint->id == id) {
            world_.log.push_back("device " + std::string(endpoint == &render_ ? "render" : "capture"));
            endpoint->AddRef();
            *out = endpoint;
            return S_OK;
        }
    }
    world_.log.push_back("device ?");
    return E_NOTFOUND;
}

World::World(std::wstring adapterId, UINT subunitCount, UINT stepCount, UINT step)
    : adapter(*this, std::move(adapterId), subunitCount),
      adapterConnector(*this, adapter),
      endpointConnector(*this, adapterConnector),
      endpointTopology(*this, endpointConnector),
      render(*this, L"{0.0.0.00000000}.{render}", "render", endpointTopology),
      capture(*this, L"{0.0.1.00000000}.{capture}", "capture", endpointTopology),
      enumerator(*this, render, capture) {
    adapterConnector.name = "adapter connector";
    endpointConnector.name = "endpoint connector";
    endpointTopology.name = "endpoint topology";
    enumerator.name = "enumerator";
    for (Endpoint* e : {&render, &capture}) {
        e->volume.stepCount = stepCount;
        e->volume.step = step;
    }
}

std::vector<const Tracked*> World::All() const {
    std::vector<const Tracked*> all = {&adapter,       &adapterConnector, &endpointConnector, &endpointTopology,
                                       &render,        &capture,          &render.volume,     &capture.volume,
                                       &enumerator};
    for (const auto& unit : adapter.subunits) {
        all.insert(all.end(), {unit.get(), &unit->volume, &unit->mute, &unit->gain});
    }
    return all;
}

std::vector<std::string> World::Unbalanced() const {
    std::vector<std::string> names;
    for (const Tracked* t : All()) {
        if (t->refs != 1) names.push_back(t->name + " refs " + std::to_string(t->refs));
    }
    return names;
}

}  // namespace fake
