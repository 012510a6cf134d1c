#include "launcher/audio/karaoke_effects.h"

namespace audio {

int SonorelEffects::GetInterface(EffectsHandle** handle) { return TAVISUP_GetInterface(handle); }
void SonorelEffects::ReleaseInterface(EffectsHandle** handle) { TAVISUP_ReleaseInterface(handle); }
int SonorelEffects::SetKaraokeState(EffectsHandle* h, int state) { return TAVISUP_SetKaraokeState(h, state); }
int SonorelEffects::SetKaraokeMicEffectState(EffectsHandle* h, int state) {
    return TAVISUP_SetKaraokeMicEffectState(h, state);
}
int SonorelEffects::GetKaraokeMicEffectMode(EffectsHandle* h, int* mode) {
    return TAVISUP_GetKaraokeMicEffectMode(h, mode);
}
int SonorelEffects::SetKaraokeMicEffectMode(EffectsHandle* h, int mode) {
    return TAVISUP_SetKaraokeMicEffectMode(h, mode);
}
int SonorelEffects::GetMicEchoLevel(EffectsHandle* h, int* level) { return TAVISUP_GetMicEchoLevel(h, level); }
int SonorelEffects::SetMicEchoLevel(EffectsHandle* h, int level) { return TAVISUP_SetMicEchoLevel(h, level); }
int SonorelEffects::SetMagicVoiceMode(EffectsHandle* h, int mode) { return TAVISUP_SetMagicVoiceMode(h, mode); }
int SonorelEffects::SetKeyShiftState(EffectsHandle* h, int state) { return TAVISUP_SetKeyShiftState(h, state); }
int SonorelEffects::GetKeyShiftLevel(EffectsHandle* h, int* level) { return TAVISUP_GetKeyShiftLevel(h, level); }
int SonorelEffects::SetKeyShiftLevel(EffectsHandle* h, int level) { return TAVISUP_SetKeyShiftLevel(h, level); }
int SonorelEffects::SetVocalCancellationState(EffectsHandle* h, int state) {
    return TAVISUP_SetVocalCancellationState(h, state);
}
int SonorelEffects::SetVocalCancellationLevel(EffectsHandle* h, int level) {
    return TAVISUP_SetVocalCancellationLevel(h, level);
}

}  // namespace audio
