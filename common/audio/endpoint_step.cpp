#include "endpoint_step.h"

#include <endpointvolume.h>

#include "win32/handles.h"
#include "notify_sinks.h"

namespace audio {

UINT EndpointTargetStep(UINT stepCount, unsigned level) {
    if (stepCount == 0) return 0;
    if (level > 100) level = 100;
    // 64-bit product: a step count near the UINT range must not wrap.
    return static_cast<UINT>(static_cast<unsigned long long>(stepCount - 1) * level / 100);
}

HRESULT StepEndpointVolume(IMMDevice* endpoint, unsigned level, bool mute, const GUID& eventContext) {
    if (!endpoint) return E_POINTER;
    win32::ComPtr<IAudioEndpointVolume> volume;
    HRESULT hr = endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr, volume.put_void());
    if (FAILED(hr)) return hr;
    if (!volume) return E_POINTER;

    auto callback = win32::ComPtr<EndpointVolumeSink>::Attach(new EndpointVolumeSink);
    hr = volume->RegisterControlChangeNotify(callback.get());
    if (FAILED(hr)) return hr;

    UINT step = 0;
    UINT count = 0;
    hr = volume->GetVolumeStepInfo(&step, &count);
    if (SUCCEEDED(hr)) hr = volume->SetMute(mute ? TRUE : FALSE, &eventContext);
    if (SUCCEEDED(hr)) {
        const UINT target = EndpointTargetStep(count, level);
        const bool up = target >= step;
        UINT moves = up ? target - step : step - target;
        while (moves-- > 0) {
            hr = up ? volume->VolumeStepUp(&GUID_NULL) : volume->VolumeStepDown(&GUID_NULL);
            if (FAILED(hr)) break;
        }
    }
    // A registered callback is always taken back, even after a failure.
    const HRESULT unregistered = volume->UnregisterControlChangeNotify(callback.get());
    return FAILED(hr) ? hr : unregistered;
}

HRESULT OpenDeviceEnumerator(IMMDeviceEnumerator* given, win32::ComPtr<IMMDeviceEnumerator>& out) {
    if (given) {
        out = win32::ComPtr<IMMDeviceEnumerator>::Borrow(given);
        return S_OK;
    }
    return CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                            out.put_void());
}

HRESULT StepDefaultEndpointVolume(EDataFlow flow, unsigned level, bool mute, IMMDeviceEnumerator* enumerator) {
    win32::ComPtr<IMMDeviceEnumerator> devices;
    HRESULT hr = OpenDeviceEnumerator(enumerator, devices);
    if (FAILED(hr)) return hr;
    win32::ComPtr<IMMDevice> endpoint;
    hr = devices->GetDefaultAudioEndpoint(flow, eMultimedia, endpoint.put());
    if (FAILED(hr)) return hr;
    GUID context{};
    hr = CoCreateGuid(&context);
    if (FAILED(hr)) return hr;
    return StepEndpointVolume(endpoint.get(), level, mute, context);
}

}  // namespace audio
