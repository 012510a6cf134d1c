#pragma once
// Master volume of an audio endpoint, set the way the volume keys do it: the endpoint's own volume
// steps, one call per step. Shared by the launcher and the OSD program.
#include <windows.h>
#include <mmdeviceapi.h>

#include "win32/handles.h"

namespace audio {

// The step for `level` percent (levels above 100 count as 100) on an endpoint with `stepCount`
// steps: (stepCount - 1) * level / 100, truncated. No steps gives step 0.
UINT EndpointTargetStep(UINT stepCount, unsigned level);

// Registers an endpoint-volume callback, sets the mute (with `eventContext`), then steps the volume
// from its current step to EndpointTargetStep one step at a time, stopping at the first failure,
// and unregisters the callback. Returns the first failure, otherwise the last call's status.
HRESULT StepEndpointVolume(IMMDevice* endpoint, unsigned level, bool mute, const GUID& eventContext);

// `given` with a reference of its own, or else the system's device enumerator.
HRESULT OpenDeviceEnumerator(IMMDeviceEnumerator* given, win32::ComPtr<IMMDeviceEnumerator>& out);

// The same on the default endpoint of `flow` in the multimedia role, with a fresh event context.
// Uses `enumerator` when given, otherwise creates the system's device enumerator. The calling
// thread must have initialised COM.
HRESULT StepDefaultEndpointVolume(EDataFlow flow, unsigned level, bool mute,
                                  IMMDeviceEnumerator* enumerator = nullptr);

}  // namespace audio
