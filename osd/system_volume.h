#pragma once
// The system's master volume as the OSD box reads and sets it: Core Audio's default render
// endpoint from Windows 6 on, the multimedia mixer's playback master before that.
#include <windows.h>
#include <mmdeviceapi.h>

#include "win32/handles.h"

namespace osd {

class VolumeControl {
public:
    virtual ~VolumeControl() = default;
    // Overwrites volume (percent) and muted with the system's values; each stays as it was when
    // it cannot be read.
    virtual void Read(unsigned& volume, int& muted) = 0;
    // Sets the system's volume (percent) and mute; failures are silent.
    virtual void Apply(unsigned volume, int muted) = 0;
};

class SystemVolume final : public VolumeControl {
public:
    // majorVersion picks the path; enumerator stands in for the system's device enumerator
    // (null: the system's). The thread must have initialised COM.
    explicit SystemVolume(DWORD majorVersion, IMMDeviceEnumerator* enumerator = nullptr);
    void Read(unsigned& volume, int& muted) override;
    void Apply(unsigned volume, int muted) override;

private:
    DWORD majorVersion_;
    win32::ComPtr<IMMDeviceEnumerator> enumerator_;
};

// The two reads on their own, for the paths above.
void ReadEndpointState(IMMDeviceEnumerator* enumerator, unsigned& volume, int& muted);
void ReadMixerState(unsigned& volume, int& muted);

}  // namespace osd
