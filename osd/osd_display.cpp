#include "osd/osd_display.h"

namespace osd {

unsigned VolumeAfterUp(unsigned volume) {
    const unsigned steps = volume / 5;
    return steps < 20 ? (steps + 1) * 5 : steps * 5;
}

unsigned VolumeAfterDown(unsigned volume) {
    const unsigned steps = volume / 5;
    return steps > 0 ? (steps - 1) * 5 : 0;
}

int VolumeBitmap(unsigned volume, int muted) {
    if (muted) return kBitmapMuted;
    const unsigned steps = volume / 5;
    if (steps == 0 || steps > 20) return kBitmapEmptyBar;
    return 151 - static_cast<int>(steps);
}

int PictureForCode(unsigned code) {
    // Codes 10 and 11 have no picture.
    static constexpr int kPictures[kLastPictureCode + 1] = {185, 191, 190, 193, 194, 192, 187, 189,
                                                            196, 195, 0,   0,   183, 184, 186};
    return code <= kLastPictureCode ? kPictures[code] : 0;
}

std::optional<unsigned> PercentFromSteps(UINT step, UINT stepCount) {
    if (stepCount < 2) return std::nullopt;
    if (step >= stepCount - 1) return 100u;
    return static_cast<unsigned>(static_cast<unsigned long long>(step) * 100 / (stepCount - 1));
}

std::optional<unsigned> PercentFromMixerValue(DWORD value, DWORD maximum) {
    if (maximum == 0) return std::nullopt;
    if (value >= maximum) return 100u;
    const unsigned long long scaled = static_cast<unsigned long long>(value) * 100 + maximum / 2;
    return static_cast<unsigned>(scaled / maximum);
}

}  // namespace osd
