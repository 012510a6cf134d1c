#include "launcher/system/sonorel_effects.h"

#include <type_traits>
#include <utility>

namespace audio {

struct SonorelEffects::Exports {
    decltype(&TAVISUP_ReleaseInterface) releaseInterface = nullptr;
    decltype(&TAVISUP_GetInterface) getInterface = nullptr;
    decltype(&TAVISUP_SetKaraokeState) setKaraokeState = nullptr;
    decltype(&TAVISUP_SetKaraokeMicEffectState) setKaraokeMicEffectState = nullptr;
    decltype(&TAVISUP_GetKaraokeMicEffectMode) getKaraokeMicEffectMode = nullptr;
    decltype(&TAVISUP_SetKaraokeMicEffectMode) setKaraokeMicEffectMode = nullptr;
    decltype(&TAVISUP_GetMicEchoLevel) getMicEchoLevel = nullptr;
    decltype(&TAVISUP_SetMicEchoLevel) setMicEchoLevel = nullptr;
    decltype(&TAVISUP_SetMagicVoiceMode) setMagicVoiceMode = nullptr;
    decltype(&TAVISUP_SetKeyShiftState) setKeyShiftState = nullptr;
    decltype(&TAVISUP_GetKeyShiftLevel) getKeyShiftLevel = nullptr;
    decltype(&TAVISUP_SetKeyShiftLevel) setKeyShiftLevel = nullptr;
    decltype(&TAVISUP_SetVocalCancellationState) setVocalCancellationState = nullptr;
    decltype(&TAVISUP_SetVocalCancellationLevel) setVocalCancellationLevel = nullptr;
};

SonorelEffects::SonorelEffects(std::wstring library) : library_(std::move(library)) {}
SonorelEffects::~SonorelEffects() = default;

const SonorelEffects::Exports* SonorelEffects::Load() {
    if (tried_) return exports_.get();
    tried_ = true;
    module_.reset(::LoadLibraryW(library_.c_str()));
    if (!module_) return nullptr;
    auto e = std::make_unique<Exports>();
    bool all = true;
    auto find = [&](auto& fn, const char* name) {
        fn = win32::ProcAddress<std::remove_reference_t<decltype(fn)>>(module_.get(), name);
        all = all && fn;
    };
    find(e->releaseInterface, "TAVISUP_ReleaseInterface");
    find(e->getInterface, "TAVISUP_GetInterface");
    find(e->setKaraokeState, "TAVISUP_SetKaraokeState");
    find(e->setKaraokeMicEffectState, "TAVISUP_SetKaraokeMicEffectState");
    find(e->getKaraokeMicEffectMode, "TAVISUP_GetKaraokeMicEffectMode");
    find(e->setKaraokeMicEffectMode, "TAVISUP_SetKaraokeMicEffectMode");
    find(e->getMicEchoLevel, "TAVISUP_GetMicEchoLevel");
    find(e->setMicEchoLevel, "TAVISUP_SetMicEchoLevel");
    find(e->setMagicVoiceMode, "TAVISUP_SetMagicVoiceMode");
    find(e->setKeyShiftState, "TAVISUP_SetKeyShiftState");
    find(e->getKeyShiftLevel, "TAVISUP_GetKeyShiftLevel");
    find(e->setKeyShiftLevel, "TAVISUP_SetKeyShiftLevel");
    find(e->setVocalCancellationState, "TAVISUP_SetVocalCancellationState");
    find(e->setVocalCancellationLevel, "TAVISUP_SetVocalCancellationLevel");
    if (all) exports_ = std::move(e);
    return exports_.get();
}

// The export fn with args, or 0 when the library is not there.
template <typename Fn, typename... Args>
int SonorelEffects::Call(Fn Exports::*fn, Args... args) {
    const Exports* e = Load();
    return e ? (e->*fn)(args...) : 0;
}

int SonorelEffects::GetInterface(EffectsHandle** handle) { return Call(&Exports::getInterface, handle); }
void SonorelEffects::ReleaseInterface(EffectsHandle** handle) {
    if (const Exports* e = Load()) e->releaseInterface(handle);
}
int SonorelEffects::SetKaraokeState(EffectsHandle* h, int state) { return Call(&Exports::setKaraokeState, h, state); }
int SonorelEffects::SetKaraokeMicEffectState(EffectsHandle* h, int state) { return Call(&Exports::setKaraokeMicEffectState, h, state); }
int SonorelEffects::GetKaraokeMicEffectMode(EffectsHandle* h, int* mode) { return Call(&Exports::getKaraokeMicEffectMode, h, mode); }
int SonorelEffects::SetKaraokeMicEffectMode(EffectsHandle* h, int mode) { return Call(&Exports::setKaraokeMicEffectMode, h, mode); }
int SonorelEffects::GetMicEchoLevel(EffectsHandle* h, int* level) { return Call(&Exports::getMicEchoLevel, h, level); }
int SonorelEffects::SetMicEchoLevel(EffectsHandle* h, int level) { return Call(&Exports::setMicEchoLevel, h, level); }
int SonorelEffects::SetMagicVoiceMode(EffectsHandle* h, int mode) { return Call(&Exports::setMagicVoiceMode, h, mode); }
int SonorelEffects::SetKeyShiftState(EffectsHandle* h, int state) { return Call(&Exports::setKeyShiftState, h, state); }
int SonorelEffects::GetKeyShiftLevel(EffectsHandle* h, int* level) { return Call(&Exports::getKeyShiftLevel, h, level); }
int SonorelEffects::SetKeyShiftLevel(EffectsHandle* h, int level) { return Call(&Exports::setKeyShiftLevel, h, level); }
int SonorelEffects::SetVocalCancellationState(EffectsHandle* h, int state) { return Call(&Exports::setVocalCancellationState, h, state); }
int SonorelEffects::SetVocalCancellationLevel(EffectsHandle* h, int level) { return Call(&Exports::setVocalCancellationLevel, h, level); }

}  // namespace audio
