#pragma once
// Stand-ins for the Core Audio objects of one machine: a device enumerator with a render and a
// capture endpoint, each with stepped endpoint volume and a topology leading to an adapter with
// numbered sub-units. Every call is logged; the fakes never delete themselves, so a test can check
// that each reference taken was given back (refs back to 1, the world's own).
#include <windows.h>
#include <devicetopology.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/audio/core_audio_compat.h"

namespace fake {

using CallLog = std::vector<std::string>;

template <class T>
IID IidOf() {
    return __uuidof(T);
}
template <>
inline IID IidOf<audio::AutoGainControl>() {
    return audio::kAutoGainControlIid;
}

class Tracked {
public:
    virtual ~Tracked() = default;
    LONG refs = 1;
    std::string name;
};

template <class... Interfaces>
class Object : public Tracked, public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
        if (IsEqualIID(iid, __uuidof(IUnknown))) {
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        } else {
            ((IsEqualIID(iid, IidOf<Interfaces>()) && (*out = static_cast<Interfaces*>(this), true)) || ...);
        }
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
};

class World;

// Sub-unit controls -------------------------------------------------------------------------------

class VolumeLevel : public Object<IAudioVolumeLevel> {
public:
    VolumeLevel(World& world, UINT index) : world_(world), index_(index) {}
    UINT channels = 2;
    float minDb = -34.5f;
    float maxDb = 12.0f;
    float setDb = 0.0f;  // last level set
    UINT rangeChannel = 0;
    HRESULT setResult = S_OK;

    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetLevelRange(UINT channel, float* minDb, float* maxDb, float* stepDb) override;
    HRESULT STDMETHODCALLTYPE GetLevel(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetLevelUniform(float db, LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE SetLevelAllChannels(float*, ULONG, LPCGUID) override { return E_NOTIMPL; }

private:
    World& world_;
    UINT index_;
};

class Mute : public Object<IAudioMute> {
public:
    Mute(World& world, UINT index) : world_(world), index_(index) {}
    HRESULT STDMETHODCALLTYPE SetMute(BOOL mute, LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE GetMute(BOOL*) override { return E_NOTIMPL; }

private:
    World& world_;
    UINT index_;
};

class Gain : public Object<audio::AutoGainControl> {
public:
    Gain(World& world, UINT index) : world_(world), index_(index) {}
    HRESULT STDMETHODCALLTYPE GetEnabled(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetEnabled(BOOL enable, LPCGUID context) override;

private:
    World& world_;
    UINT index_;
};

// A part that is not activatable and has no topology unless a derived fake says so.
template <class... Interfaces>
class PartObject : public Object<Interfaces..., IPart> {
public:
    HRESULT STDMETHODCALLTYPE GetName(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetLocalId(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGlobalId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPartType(PartType*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSubType(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetControlInterfaceCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetControlInterface(UINT, IControlInterface**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumPartsIncoming(IPartsList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumPartsOutgoing(IPartsList**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AUDIO_IPART_GET_TOPOLOGY_OBJECT(IDeviceTopology**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Activate(DWORD, REFIID, void**) override { return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE RegisterControlChangeCallback(REFGUID, IControlChangeNotify*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeCallback(IControlChangeNotify*) override { return E_NOTIMPL; }
};

class Subunit : public PartObject<audio::SubunitInterface> {
public:
    Subunit(World& world, UINT index);
    HRESULT STDMETHODCALLTYPE Activate(DWORD context, REFIID iid, void** out) override;

    VolumeLevel volume;
    Mute mute;
    Gain gain;

private:
    World& world_;
    UINT index_;
};

// Topology ---------------------------------------------------------------------------------------

class TopologyObject : public Object<IDeviceTopology> {
public:
    HRESULT STDMETHODCALLTYPE GetConnectorCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnector(UINT, IConnector**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSubunitCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSubunit(UINT, audio::SubunitInterface**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPartById(UINT, IPart**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDeviceId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSignalPath(IPart*, IPart*, BOOL, IPartsList**) override { return E_NOTIMPL; }
};

class AdapterTopology : public TopologyObject {
public:
    AdapterTopology(World& world, std::wstring id, UINT subunitCount);
    HRESULT STDMETHODCALLTYPE GetSubunitCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetSubunit(UINT index, audio::SubunitInterface** out) override;
    HRESULT STDMETHODCALLTYPE GetDeviceId(LPWSTR* id) override;

    std::wstring id;
    std::vector<std::unique_ptr<Subunit>> subunits;

private:
    World& world_;
};

class ConnectorObject : public PartObject<IConnector> {
public:
    HRESULT STDMETHODCALLTYPE GetType(ConnectorType*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataFlow(DataFlow*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ConnectTo(IConnector*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Disconnect() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsConnected(BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectedTo(IConnector**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectorIdConnectedTo(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDeviceIdConnectedTo(LPWSTR*) override { return E_NOTIMPL; }
};

// The adapter's side of the connection: a part whose topology object is the adapter.
class AdapterConnector : public ConnectorObject {
public:
    AdapterConnector(World& world, AdapterTopology& adapter) : world_(world), adapter_(adapter) {}
    HRESULT STDMETHODCALLTYPE AUDIO_IPART_GET_TOPOLOGY_OBJECT(IDeviceTopology** out) override;

private:
    World& world_;
    AdapterTopology& adapter_;
};

class EndpointConnector : public ConnectorObject {
public:
    EndpointConnector(World& world, AdapterConnector& peer) : world_(world), peer_(peer) {}
    HRESULT STDMETHODCALLTYPE GetConnectedTo(IConnector** out) override;

private:
    World& world_;
    AdapterConnector& peer_;
};

class EndpointTopology : public TopologyObject {
public:
    EndpointTopology(World& world, EndpointConnector& connector) : world_(world), connector_(connector) {}
    HRESULT STDMETHODCALLTYPE GetConnector(UINT index, IConnector** out) override;

private:
    World& world_;
    EndpointConnector& connector_;
};

// Endpoints --------------------------------------------------------------------------------------

class EndpointVolume : public Object<IAudioEndpointVolume> {
public:
    EndpointVolume(World& world, std::string tag) : world_(world), tag_(std::move(tag)) {}
    UINT step = 0;
    UINT stepCount = 0;
    BOOL muted = FALSE;
    GUID muteContext{};
    int failStep = -1;  // the step call (counting from 0) that fails
    HRESULT stepInfoResult = S_OK;
    bool reportsMute = false;  // GetMute answers with `muted` rather than E_NOTIMPL
    IAudioEndpointVolumeCallback* registered = nullptr;
    int stepCalls = 0;

    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override;
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override;
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMute(BOOL mute, LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE GetMute(BOOL* mute) override {
        if (!reportsMute) return E_NOTIMPL;
        *mute = muted;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* step, UINT* count) override;
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(float*, float*, float*) override { return E_NOTIMPL; }

private:
    HRESULT Step(int delta, LPCGUID context);
    World& world_;
    std::string tag_;
};

class Endpoint : public Object<IMMDevice> {
public:
    Endpoint(World& world, std::wstring id, std::string tag, EndpointTopology& topology);
    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT* params, void** out) override;
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD*) override { return E_NOTIMPL; }

    std::wstring id;
    EndpointVolume volume;

private:
    World& world_;
    std::string tag_;
    EndpointTopology& topology_;
};

class Enumerator : public Object<IMMDeviceEnumerator> {
public:
    Enumerator(World& world, Endpoint& render, Endpoint& capture) : world_(world), render_(render), capture_(capture) {}
    HRESULT defaultResult = S_OK;

    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** out) override;
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR id, IMMDevice** out) override;
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override {
        return E_NOTIMPL;
    }

private:
    World& world_;
    Endpoint& render_;
    Endpoint& capture_;
};

// One machine: both endpoints lead to the same adapter.
class World {
public:
    World(std::wstring adapterId, UINT subunitCount, UINT stepCount = 11, UINT step = 0);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    CallLog log;
    AdapterTopology adapter;
    AdapterConnector adapterConnector;
    EndpointConnector endpointConnector;
    EndpointTopology endpointTopology;
    Endpoint render;
    Endpoint capture;
    Enumerator enumerator;

    Subunit& Unit(UINT index) { return *adapter.subunits.at(index); }
    // Names of the fakes whose reference count is not back at the world's own one.
    std::vector<std::string> Unbalanced() const;

private:
    std::vector<const Tracked*> All() const;
};

}  // namespace fake
