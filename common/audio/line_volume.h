#pragma once
// Level and mute of the audio lines: the multimedia mixer before Windows 6, Core Audio from 6 on.
#include <windows.h>
#include <mmdeviceapi.h>

// level: percent 0..100, 101 = keep the level and set only the mute (lines 1..4 on Core Audio);
// other levels above 100 count as 100. line: 0 = the device's master volume, 1..4 = a control
// inside the sound adapter. direction: 0 = recording, 1 = playback. mute: 0 or 1.
// Returns the status of the last Core Audio call (0 = success), or 0 on the mixer path.
int SetLineVolume(int level, int line, int direction, int mute);

namespace audio {

// The routine with its outside world handed in: `majorVersion` picks the path; on the Core Audio
// path `enumerator` stands in for the system's device enumerator unless it is null.
int SetLineVolumeOn(DWORD majorVersion, IMMDeviceEnumerator* enumerator, int level, int line, int direction,
                    int mute);

// The running system's major version as GetVersionExW reports it (0 when it fails).
DWORD WindowsMajorVersion();

}  // namespace audio
