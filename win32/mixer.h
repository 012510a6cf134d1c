#pragma once
// The multimedia mixer: an owned mixer handle and the one look-up every caller makes.
// Header-only, so the effects library can use it without the rest of this layer.
#include <windows.h>
#include <mmsystem.h>

#include "win32/handles.h"

namespace win32 {

using MixerHandle = UniqueHandle<SimpleTraits<HMIXER, ::mixerClose>>;

// Mixer `id` opened for queries and settings; empty when there is no such mixer.
inline MixerHandle OpenMixer(UINT id = 0) {
    HMIXER h = nullptr;
    if (id >= ::mixerGetNumDevs() || ::mixerOpen(&h, id, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        return MixerHandle();
    }
    return MixerHandle(h);
}

inline HMIXEROBJ MixerObject(const MixerHandle& mixer) { return reinterpret_cast<HMIXEROBJ>(mixer.get()); }

// The one control of `controlType` on the destination line of `destinationType` (speakers,
// wave-in); false when the destination or the control is missing.
inline bool FindDestinationControl(const MixerHandle& mixer, DWORD destinationType, DWORD controlType,
                                   MIXERCONTROLW& control) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = destinationType;
    if (::mixerGetLineInfoW(MixerObject(mixer), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR) {
        return false;
    }
    control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = controlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    return ::mixerGetLineControlsW(MixerObject(mixer), &controls,
                                   MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR;
}

}  // namespace win32
