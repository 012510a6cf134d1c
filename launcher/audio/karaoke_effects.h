#pragma once
// The effects-library calls the karaoke panel makes, behind a port so its logic can be tested
// against a recording stand-in. SonorelEffects is the one production implementation: it calls
// the library's exports, loading the library on first use.
#include <memory>
#include <string>

#include "effects/sonorel.h"
#include "win32/handles.h"

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

// Sonorel.dll's exports. The library is loaded by the first call, not with the launcher: the
// launcher starts faster, and starts at all when the library is missing or incomplete, in which
// case every call fails (0) and GetInterface leaves the handle null.
class SonorelEffects final : public KaraokeEffects {
public:
    // library: the file to load (the tests load a twin over a simulated driver).
    explicit SonorelEffects(std::wstring library = L"Sonorel.dll");
    ~SonorelEffects() override;
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

private:
    struct Exports;
    const Exports* Load();  // null when the library or one of its exports is missing
    template <typename Fn, typename... Args>
    int Call(Fn Exports::*fn, Args... args);

    std::wstring library_;
    bool tried_ = false;
    win32::Module module_;
    std::unique_ptr<Exports> exports_;
};

}  // namespace audio
