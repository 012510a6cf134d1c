#pragma once
// What the OSD box shows: the volume in steps of five, the bar bitmap for it, the key pictures.
#include <windows.h>

#include <optional>

namespace osd {

// Bitmap resources of the volume bar.
constexpr int kBitmapEmptyBar = 129;
constexpr int kBitmapMuted = 130;
constexpr int kBitmapFullBar = 131;  // 20 lit segments; 150 has one

// Picture codes above this hide the box.
constexpr unsigned kLastPictureCode = 14;

unsigned VolumeAfterUp(unsigned volume);
unsigned VolumeAfterDown(unsigned volume);

// The bar bitmap for the volume and mute state.
int VolumeBitmap(unsigned volume, int muted);

// The JPEG resource for a picture code, or 0 when the code has none.
int PictureForCode(unsigned code);

// An endpoint's volume step as a percent, or nothing when the endpoint has fewer than two steps.
std::optional<unsigned> PercentFromSteps(UINT step, UINT stepCount);

// A mixer control value as a percent of its maximum, rounded to the nearest (the mixer path sets
// level * max / 100, truncated, so a plain division would lose a percent per round trip).
std::optional<unsigned> PercentFromMixerValue(DWORD value, DWORD maximum);

}  // namespace osd
