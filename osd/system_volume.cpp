#include "osd/system_volume.h"

#include <endpointvolume.h>
#include <mmsystem.h>

#include "common/audio/endpoint_step.h"
#include "common/audio/line_volume.h"
#include "osd/osd_display.h"
#include "win32/mixer.h"

namespace osd {
namespace {

// The first channel's value of a control that holds unsigned or boolean values.
bool ReadControl(const win32::MixerHandle& mixer, const MIXERCONTROLW& control, DWORD& value) {
    MIXERCONTROLDETAILS_UNSIGNED detail{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;  // read as one uniform channel, the way the volume is set
    details.cbDetails = sizeof detail;
    details.paDetails = &detail;
    if (::mixerGetControlDetailsW(win32::MixerObject(mixer), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return false;
    value = detail.dwValue;
    return true;
}

}  // namespace

SystemVolume::SystemVolume(DWORD majorVersion, IMMDeviceEnumerator* enumerator)
    : majorVersion_(majorVersion), enumerator_(win32::ComPtr<IMMDeviceEnumerator>::Borrow(enumerator)) {}

void SystemVolume::Read(unsigned& volume, int& muted) {
    if (majorVersion_ >= 6) {
        ReadEndpointState(enumerator_.get(), volume, muted);
    } else {
        ReadMixerState(volume, muted);
    }
}

void SystemVolume::Apply(unsigned volume, int muted) {
    if (majorVersion_ >= 6) {
        audio::StepDefaultEndpointVolume(eRender, volume, muted != 0, enumerator_.get());
    } else {
        // Line 0, playback: the mixer's master volume and mute.
        audio::SetLineVolumeOn(majorVersion_, nullptr, static_cast<int>(volume), 0, 1, muted ? 1 : 0);
    }
}

void ReadEndpointState(IMMDeviceEnumerator* enumerator, unsigned& volume, int& muted) {
    win32::ComPtr<IMMDeviceEnumerator> devices = win32::ComPtr<IMMDeviceEnumerator>::Borrow(enumerator);
    if (!devices && FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                         __uuidof(IMMDeviceEnumerator), devices.put_void()))) {
        return;
    }
    win32::ComPtr<IMMDevice> endpoint;
    if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eMultimedia, endpoint.put())) || !endpoint) return;
    win32::ComPtr<IAudioEndpointVolume> endpointVolume;
    if (FAILED(endpoint->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  endpointVolume.put_void())) ||
        !endpointVolume)
        return;
    UINT step = 0;
    UINT count = 0;
    // An endpoint that cannot tell its level is not trusted with its mute either.
    if (FAILED(endpointVolume->GetVolumeStepInfo(&step, &count))) return;
    if (auto percent = PercentFromSteps(step, count)) volume = *percent;
    BOOL mute = FALSE;
    if (SUCCEEDED(endpointVolume->GetMute(&mute))) muted = mute ? 1 : 0;
}

void ReadMixerState(unsigned& volume, int& muted) {
    win32::MixerHandle mixer = win32::OpenMixer(0);
    if (!mixer) return;
    MIXERCONTROLW control;
    DWORD value = 0;
    if (win32::FindDestinationControl(mixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_VOLUME,
                                      control) &&
        ReadControl(mixer, control, value)) {
        if (auto percent = PercentFromMixerValue(value, control.Bounds.dwMaximum)) volume = *percent;
    }
    if (win32::FindDestinationControl(mixer, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, MIXERCONTROL_CONTROLTYPE_MUTE,
                                      control) &&
        ReadControl(mixer, control, value)) {
        muted = value ? 1 : 0;
    }
}

}  // namespace osd
