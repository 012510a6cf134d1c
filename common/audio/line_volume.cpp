#include "line_volume.h"

#include <devicetopology.h>
#include <endpointvolume.h>
#include <mmsystem.h>

#include <memory>
#include <string>

#include "adapter.h"
#include "win32/handles.h"
#include "win32/mixer.h"
#include "core_audio_compat.h"
#include "endpoint_step.h"

namespace audio {

namespace {

// Finds the one control of `controlType` on the recording or playback destination of mixer 0 and
// hands it to `set`. A missing mixer, destination or control skips silently.
template <class Set>
void WithMixerControl(bool capture, DWORD controlType, Set set) {
    win32::MixerHandle mixer = win32::OpenMixer(0);
    if (!mixer) return;
    MIXERCONTROLW control{};
    const DWORD destination = capture ? MIXERLINE_COMPONENTTYPE_DST_WAVEIN : MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (!win32::FindDestinationControl(mixer, destination, controlType, control)) return;
    set(mixer, control);
}

template <class Value>
void SetUniform(const win32::MixerHandle& mixer, const MIXERCONTROLW& control, Value value) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;  // one value for all channels
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    mixerSetControlDetails(win32::MixerObject(mixer), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

// The mixer only knows the destination's master volume and mute: lines 1..4 change nothing.
int MixerPath(unsigned level, unsigned line, bool capture, bool mute) {
    if (line != 0) return 0;
    if (level > 100) level = 100;
    WithMixerControl(capture, MIXERCONTROL_CONTROLTYPE_VOLUME, [&](const win32::MixerHandle& mixer, const MIXERCONTROLW& c) {
        MIXERCONTROLDETAILS_UNSIGNED value{};
        value.dwValue = static_cast<DWORD>(static_cast<unsigned long long>(level) * c.Bounds.dwMaximum / 100);
        SetUniform(mixer, c, value);
    });
    WithMixerControl(capture, MIXERCONTROL_CONTROLTYPE_MUTE, [&](const win32::MixerHandle& mixer, const MIXERCONTROLW& c) {
        MIXERCONTROLDETAILS_BOOLEAN value{};
        value.fValue = mute ? 1 : 0;
        SetUniform(mixer, c, value);
    });
    return 0;
}

// Gets sub-unit `index` of the adapter as a part, checked against the adapter's sub-unit count.
HRESULT SubunitPart(IDeviceTopology* adapter, UINT index, UINT count, win32::ComPtr<IPart>& part) {
    if (index >= count) return E_INVALIDARG;
    win32::ComPtr<SubunitInterface> subunit;
    HRESULT hr = adapter->GetSubunit(index, subunit.put());
    if (FAILED(hr)) return hr;
    if (!subunit) return E_POINTER;
    hr = subunit->QueryInterface(__uuidof(IPart), part.put_void());
    if (SUCCEEDED(hr) && !part) hr = E_POINTER;
    return hr;
}

// Lines 1..4: level and mute of individual controls in the adapter behind the endpoint `id`.
HRESULT AdapterLine(IMMDeviceEnumerator* devices, const wchar_t* id, unsigned level, unsigned line, bool capture,
                    bool mute) {
    win32::ComPtr<IMMDevice> endpoint;
    HRESULT hr = devices->GetDevice(id, endpoint.put());
    if (FAILED(hr)) return hr;
    win32::ComPtr<IDeviceTopology> endpointTopology;
    hr = endpoint->Activate(__uuidof(IDeviceTopology), CLSCTX_ALL, nullptr, endpointTopology.put_void());
    if (FAILED(hr)) return hr;
    win32::ComPtr<IConnector> connector;
    hr = endpointTopology->GetConnector(0, connector.put());
    if (FAILED(hr)) return hr;
    win32::ComPtr<IConnector> connectedTo;
    hr = connector->GetConnectedTo(connectedTo.put());
    if (FAILED(hr)) return hr;
    win32::ComPtr<IPart> connectedPart;
    hr = connectedTo->QueryInterface(__uuidof(IPart), connectedPart.put_void());
    if (FAILED(hr)) return hr;
    win32::ComPtr<IDeviceTopology> adapter;
    hr = connectedPart->AUDIO_IPART_GET_TOPOLOGY_OBJECT(adapter.put());
    if (FAILED(hr)) return hr;

    win32::CoTaskMemString adapterId;
    hr = adapter->GetDeviceId(adapterId.put());
    if (FAILED(hr)) return hr;
    std::wstring lowerId = adapterId ? adapterId.get() : L"";
    if (!lowerId.empty()) CharLowerBuffW(lowerId.data(), static_cast<DWORD>(lowerId.size()));
    UINT count = 0;
    hr = adapter->GetSubunitCount(&count);
    if (FAILED(hr)) return hr;

    const AdapterKind kind = RecogniseAdapter(lowerId);
    const std::optional<UINT> index = LevelSubunit(kind, line, count);
    if (!index) return hr;
    win32::ComPtr<IPart> part;
    hr = SubunitPart(adapter.get(), *index, count, part);
    if (FAILED(hr)) return hr;

    // The USB adapter's recording line is an automatic gain control: "unmuted" means enabled.
    if (kind == AdapterKind::Vid5a1ePid02b7 && capture) {
        win32::ComPtr<AutoGainControl> gain;
        hr = part->Activate(CLSCTX_ALL, kAutoGainControlIid, gain.put_void());
        if (FAILED(hr)) return hr;
        return gain->SetEnabled(mute ? FALSE : TRUE, &GUID_NULL);
    }

    if (level != kMuteOnly) {
        win32::ComPtr<IAudioVolumeLevel> volume;
        hr = part->Activate(CLSCTX_ALL, __uuidof(IAudioVolumeLevel), volume.put_void());
        if (FAILED(hr)) return hr;
        UINT channels = 0;
        hr = volume->GetChannelCount(&channels);
        if (FAILED(hr)) return hr;
        if (channels == 0) return E_UNEXPECTED;  // no channel to read the range from
        float minDb = 0.0f;
        float maxDb = 0.0f;
        float stepDb = 0.0f;
        hr = volume->GetLevelRange(channels - 1, &minDb, &maxDb, &stepDb);
        if (FAILED(hr)) return hr;
        const float db = capture ? RecordingLevelDb(level, minDb, maxDb) : PlaybackLevelDb(kind, level, minDb, maxDb);
        hr = volume->SetLevelUniform(db, &GUID_NULL);
        if (FAILED(hr)) return hr;
    }

    const std::optional<UINT> muteIndex = MuteSubunit(kind, *index, count);
    if (!muteIndex) return E_INVALIDARG;
    win32::ComPtr<IPart> mutePart;
    hr = SubunitPart(adapter.get(), *muteIndex, count, mutePart);
    if (FAILED(hr)) return hr;
    win32::ComPtr<IAudioMute> muteControl;
    hr = mutePart->Activate(CLSCTX_ALL, __uuidof(IAudioMute), muteControl.put_void());
    if (FAILED(hr)) return hr;
    return muteControl->SetMute(mute ? TRUE : FALSE, &GUID_NULL);
}

HRESULT CoreAudioPath(IMMDeviceEnumerator* enumerator, unsigned level, unsigned line, bool capture, bool mute) {
    win32::ComInit com;  // a thread already in another apartment keeps it
    win32::ComPtr<IMMDeviceEnumerator> devices;
    HRESULT hr = OpenDeviceEnumerator(enumerator, devices);
    if (FAILED(hr)) return hr;
    win32::ComPtr<IMMDevice> endpoint;
    hr = devices->GetDefaultAudioEndpoint(capture ? eCapture : eRender, eMultimedia, endpoint.put());
    if (FAILED(hr)) return hr;
    win32::CoTaskMemString id;
    hr = endpoint->GetId(id.put());
    if (FAILED(hr)) return hr;
    if (!id) return E_POINTER;
    GUID context{};
    hr = CoCreateGuid(&context);
    if (FAILED(hr)) return hr;

    if (line == 0) return StepEndpointVolume(endpoint.get(), level, mute, context);
    return AdapterLine(devices.get(), id.get(), level, line, capture, mute);
}

}  // namespace

int SetLineVolumeOn(DWORD majorVersion, IMMDeviceEnumerator* enumerator, int level, int line, int direction,
                    int mute) {
    const unsigned lvl = NormaliseLevel(level);
    // Any line code outside 0..4 behaves like one above 4.
    const unsigned ln = line < 0 ? 5u : static_cast<unsigned>(line);
    const bool capture = direction == 0;
    if (majorVersion < 6) return MixerPath(lvl, ln, capture, mute != 0);
    return static_cast<int>(CoreAudioPath(enumerator, lvl, ln, capture, mute != 0));
}

DWORD WindowsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // the deprecation is about feature checks; we want the raw number
#endif
    if (!GetVersionExW(&info)) return 0;
    return info.dwMajorVersion;
}

}  // namespace audio

int SetLineVolume(int level, int line, int direction, int mute) {
    return audio::SetLineVolumeOn(audio::WindowsMajorVersion(), nullptr, level, line, direction, mute);
}
