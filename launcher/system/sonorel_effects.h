#pragma once
// Sonorel.dll's exports, loaded on first use: the one production implementation of the effects port.
#include <memory>
#include <string>

#include "launcher/model/karaoke_effects.h"
#include "win32/handles.h"

namespace audio {

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
