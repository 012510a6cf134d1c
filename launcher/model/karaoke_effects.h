#pragma once
// The effects-library calls the karaoke panel makes, behind a port so its logic can be tested
// against a recording stand-in (production: SonorelEffects, launcher/system/sonorel_effects.h).
#include "effects/sonorel.h"

namespace audio {

class KaraokeEffects {
public:
    virtual ~KaraokeEffects() = default;
    // 1 on success, 0 on failure, as the library answers.
    virtual int GetInterface(EffectsHandle** handle) = 0;
    virtual void ReleaseInterface(EffectsHandle** handle) = 0;
    virtual int SetKaraokeState(EffectsHandle* h, int state) = 0;
    virtual int SetKaraokeMicEffectState(EffectsHandle* h, int state) = 0;
    virtual int GetKaraokeMicEffectMode(EffectsHandle* h, int* mode) = 0;
    virtual int SetKaraokeMicEffectMode(EffectsHandle* h, int mode) = 0;
    virtual int GetMicEchoLevel(EffectsHandle* h, int* level) = 0;
    virtual int SetMicEchoLevel(EffectsHandle* h, int level) = 0;
    virtual int SetMagicVoiceMode(EffectsHandle* h, int mode) = 0;
    virtual int SetKeyShiftState(EffectsHandle* h, int state) = 0;
    virtual int GetKeyShiftLevel(EffectsHandle* h, int* level) = 0;
    virtual int SetKeyShiftLevel(EffectsHandle* h, int level) = 0;
    virtual int SetVocalCancellationState(EffectsHandle* h, int state) = 0;
    virtual int SetVocalCancellationLevel(EffectsHandle* h, int level) = 0;
};

}  // namespace audio
