#include "endpoint_step.h"

#include <endpointvolume.h>

#include "com_ref.h"
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
    ComRef<IAudioEndpointVolume> volume;
    HRESULT hr = endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr, volume.PutVoid());
    if (FAILED(hr)) return hr;
    if (!volume) return E_POINTER;

    auto callback = ComRef<CAudioEndpointVolumeCallback>::Attach(new CAudioEndpointVolumeCallback);
    hr = volume->RegisterControlChangeNotify(callback.Get());
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
    const HRESULT unregistered = volume->UnregisterControlChangeNotify(callback.Get());
    return FAILED(hr) ? hr : unregistered;
}

HRESULT StepDefaultEndpointVolume(EDataFlow flow, unsigned level, bool mute, IMMDeviceEnumerator* enumerator) {
    ComRef<IMMDeviceEnumerator> devices;
    HRESULT hr = S_OK;
    if (enumerator) {
        devices = ComRef<IMMDeviceEnumerator>::Share(enumerator);
    } else {
        hr = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                              devices.PutVoid());
        if (FAILED(hr)) return hr;
    }
    ComRef<IMMDevice> endpoint;
    hr = devices->GetDefaultAudioEndpoint(flow, eMultimedia, endpoint.Put());
    if (FAILED(hr)) return hr;
    GUID context{};
    hr = CoCreateGuid(&context);
    if (FAILED(hr)) return hr;
    return StepEndpointVolume(endpoint.Get(), level, mute, context);
}

}  // namespace audio
