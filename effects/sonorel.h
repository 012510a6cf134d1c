/* Sonorel: C interface to the effect processor of the audio driver.
   Every function returns 1 on success and 0 on failure; a null handle always fails. */
#ifndef SONOREL_H
#define SONOREL_H

#if defined(_WIN32) && !defined(TAVISUP_CALL)
#define TAVISUP_CALL __cdecl
#elif !defined(TAVISUP_CALL)
#define TAVISUP_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Owned by the library: obtained from TAVISUP_GetInterface, freed by TAVISUP_ReleaseInterface. */
typedef struct EffectsHandle EffectsHandle;

#define TAVISUP_EQ_BANDS 10
#define TAVISUP_EQ_PRESETS 12
/* TAVISUP_GetEQMode reports this when the gains match no preset. */
#define TAVISUP_EQ_NO_PRESET 12
#define TAVISUP_ENV_MODE_MAX 28

int TAVISUP_CALL TAVISUP_GetInterface(EffectsHandle** handle);
void TAVISUP_CALL TAVISUP_ReleaseInterface(EffectsHandle** handle);

/* Equaliser gains are dB in 16.16 fixed point, bands 0..9. */
int TAVISUP_CALL TAVISUP_SetEQGain(EffectsHandle* handle, const int gains[TAVISUP_EQ_BANDS]);
int TAVISUP_CALL TAVISUP_GetEQGain(EffectsHandle* handle, int gains[TAVISUP_EQ_BANDS]);
int TAVISUP_CALL TAVISUP_SetEQStatus(EffectsHandle* handle, int status);
int TAVISUP_CALL TAVISUP_GetEQStatus(EffectsHandle* handle, int* status);
int TAVISUP_CALL TAVISUP_SetEQMode(EffectsHandle* handle, int preset);
int TAVISUP_CALL TAVISUP_GetEQMode(EffectsHandle* handle, int* preset);

int TAVISUP_CALL TAVISUP_SetEnvMode(EffectsHandle* handle, int mode);
int TAVISUP_CALL TAVISUP_GetEnvMode(EffectsHandle* handle, int* mode);
int TAVISUP_CALL TAVISUP_SetRoomSize(EffectsHandle* handle, int size);
int TAVISUP_CALL TAVISUP_GetRoomSize(EffectsHandle* handle, int* size);

int TAVISUP_CALL TAVISUP_SetKaraokeState(EffectsHandle* handle, int state);
int TAVISUP_CALL TAVISUP_GetKaraokeState(EffectsHandle* handle, int* state);
int TAVISUP_CALL TAVISUP_SetKaraokeMicEffectState(EffectsHandle* handle, int state);
int TAVISUP_CALL TAVISUP_GetKaraokeMicEffectState(EffectsHandle* handle, int* state);
int TAVISUP_CALL TAVISUP_SetKaraokeMicEffectMode(EffectsHandle* handle, int mode);
int TAVISUP_CALL TAVISUP_GetKaraokeMicEffectMode(EffectsHandle* handle, int* mode);
int TAVISUP_CALL TAVISUP_SetMicEchoLevel(EffectsHandle* handle, int level);
int TAVISUP_CALL TAVISUP_GetMicEchoLevel(EffectsHandle* handle, int* level);
int TAVISUP_CALL TAVISUP_SetMagicVoiceMode(EffectsHandle* handle, int mode);
int TAVISUP_CALL TAVISUP_GetMagicVoiceMode(EffectsHandle* handle, int* mode);
int TAVISUP_CALL TAVISUP_SetKeyShiftState(EffectsHandle* handle, int state);
int TAVISUP_CALL TAVISUP_GetKeyShiftState(EffectsHandle* handle, int* state);
int TAVISUP_CALL TAVISUP_SetKeyShiftLevel(EffectsHandle* handle, int level);
int TAVISUP_CALL TAVISUP_GetKeyShiftLevel(EffectsHandle* handle, int* level);
int TAVISUP_CALL TAVISUP_SetVocalCancellationState(EffectsHandle* handle, int state);
int TAVISUP_CALL TAVISUP_GetVocalCancellationState(EffectsHandle* handle, int* state);
int TAVISUP_CALL TAVISUP_SetVocalCancellationLevel(EffectsHandle* handle, int level);
int TAVISUP_CALL TAVISUP_GetVocalCancellationLevel(EffectsHandle* handle, int* level);

#ifdef __cplusplus
}
#endif

#endif /* SONOREL_H */
