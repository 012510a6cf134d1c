#pragma once
// The effects-library calls the karaoke panel makes, behind a port so its logic can be tested
// against a recording stand-in. SonorelEffects is the one production implementation: it calls
// the library's exports, which the launcher imports at load time.
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

// Sonorel.dll's exports.
class SonorelEffects final : public KaraokeEffects {
public:
    int GetInterface(EffectsHandle** handle) override;
    void ReleaseInterface(EffectsHandle** handle) override;
    int SetKaraokeState(EffectsHandle* h, int state) override;
    int SetKaraokeMicEffectState(EffectsHandle* h, int state) override;
    int GetKaraokeMicEffectMode(EffectsHandle* h, int* mode) override;
    int SetKaraokeMicEffectMode(EffectsHandle* h, int mode) override;
    int GetMicEchoLevel(EffectsHandle* h, int* level) override;
    int SetMicEchoLevel(EffectsHandle* h, int level) override;
    int SetMagicVoiceMode(EffectsHandle* h, int mode) override;
    int SetKeyShiftState(EffectsHandle* h, int state) override;
    int GetKeyShiftLevel(EffectsHandle* h, int* level) override;
    int SetKeyShiftLevel(EffectsHandle* h, int level) override;
    int SetVocalCancellationState(EffectsHandle* h, int state) override;
    int SetVocalCancellationLevel(EffectsHandle* h, int level) override;
};

}  // namespace audio
