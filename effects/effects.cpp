// The exported effects functions: each call becomes one or two property requests.
#include <climits>
#include <cstdint>

#include <new>

#include "effects_handle.h"
#include "local_buffer.h"
#include "recording_source.h"
#include "sonorel.h"
#include "transport.h"

using namespace sonorel;

namespace {

constexpr int kFixedOne = 65536;  // 16.16 fixed point and the echo scale

// Preset gains in dB, bands 0..9.
constexpr double kPresets[TAVISUP_EQ_PRESETS][kEqualiserBands] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {11.2, 7.2, 2.8, 0, 0, -5.6, -10, -9.6, -1.6, -1.6},
    {5.2, 2, 0, -10, -4.8, -0.4, 5.6, 9.6, 11.6, 11.2},
    {-9.6, -10.8, -12, -6, 2.4, 7.6, 12.8, 13.2, 10.8, 14},
    {-6, 0, 4.4, 7.6, 9.2, 8.8, 4.8, 2.8, 2.4, 0.8},
    {6, 2.8, -8, -12, -4.4, 3.2, 8, 10.4, 10, 6.8},
    {5.2, 4.8, 2, -2, -7.6, -11.6, -4.4, 0, 4.4, 8.8},
    {-8.4, 6, 0, 8, -8, 9.6, -1.6, 12.8, 8.4, 0.8},
    {12.4, 7.2, -2.8, 4.4, 13.2, 8, 2.8, -2.8, 8, 11.6},
    {-12.8, -9.2, -4, 2, 7.6, 11.6, 2.4, -11.2, -2, 8.4},
    {0, 7.2, -0.8, -6.8, -12.4, -7.6, 0, 10.4, 4.4, -5.2},
    {-13.2, -8, 0, 5.6, 14, 4.4, -3.6, -7.2, -8, -9.6},
};

// Truncates toward zero, as the driver's presets were measured.
void PresetGains(int preset, int gains[kEqualiserBands]) {
    for (uint32_t band = 0; band < kEqualiserBands; ++band) {
        gains[band] = static_cast<int>(kPresets[preset][band] * kFixedOne);
    }
}

enum class Width { Byte, Word };

bool WriteItem(const EffectsHandle& handle, uint32_t property, uint32_t item, int value,
               Width width) {
    PropertyItem data{item, value};
    if (width == Width::Byte) {
        data.value = value & 0xFF;
        // Karaoke and the microphone effects are useless unless the microphone is recorded.
        if (property == kPropertyMicrophone && data.value != 0) {
            CurrentRecordingSource().Select(kMicrophoneSource);
        }
    }
    return PropertyWrite(handle, property, &data, sizeof data);
}

bool ReadItem(const EffectsHandle& handle, uint32_t property, uint32_t item, Width width,
              int& value) {
    PropertyItem data{kReadSelection | item, 0};
    if (!PropertyWrite(handle, property, &data, sizeof data)) return false;
    if (!PropertyRead(handle, property, &data, sizeof data)) return false;
    value = width == Width::Byte ? (data.value & 0xFF) : data.value;
    return true;
}

int WriteGains(const EffectsHandle& handle, const int gains[kEqualiserBands]) {
    for (uint32_t band = 0; band < kEqualiserBands; ++band) {
        if (!WriteItem(handle, kPropertyEqualiser, band, gains[band], Width::Word)) return 0;
    }
    return 1;
}

int ReadGains(const EffectsHandle& handle, int gains[kEqualiserBands]) {
    uint32_t read = 0;
    for (uint32_t band = 0; band < kEqualiserBands; ++band) {
        gains[band] = 0;
        int value = 0;
        if (ReadItem(handle, kPropertyEqualiser, band, Width::Word, value)) {
            gains[band] = value;
            ++read;
        }
    }
    return read == kEqualiserBands ? 1 : 0;
}

bool ReadEnvironment(const EffectsHandle& handle, EnvironmentSettings& settings) {
    settings = EnvironmentSettings{};
    return PropertyRead(handle, kPropertyEnvironment, &settings, sizeof settings);
}

// Read, change one word, write back. A failed read writes nothing: the other word is unknown.
int UpdateEnvironment(const EffectsHandle& handle, int32_t EnvironmentSettings::*field,
                      int value) {
    EnvironmentSettings settings;
    if (!ReadEnvironment(handle, settings)) return 0;
    settings.*field = value;
    return PropertyWrite(handle, kPropertyEnvironment, &settings, sizeof settings) ? 1 : 0;
}

int Set(EffectsHandle* handle, uint32_t property, uint32_t item, Width width, int value) {
    if (!handle) return 0;
    return WriteItem(*handle, property, item, value, width) ? 1 : 0;
}

int Get(EffectsHandle* handle, uint32_t property, uint32_t item, Width width, int* out) {
    if (!handle || !out) return 0;
    int value = 0;
    if (!ReadItem(*handle, property, item, width, value)) return 0;
    *out = value;
    return 1;
}

}  // namespace

extern "C" {

int TAVISUP_CALL TAVISUP_GetInterface(EffectsHandle** handle) {
    if (!handle) return 0;
    *handle = nullptr;
    LocalBuffer record;
    if (!FindDriver(*PropertySetForKind(kKindEffects), record)) return 0;
    LocalBuffer block(sizeof(EffectsHandle));
    if (!block) return 0;
    // The library allocates the handle; the object lives in that block from here on.
    *handle = new (block.Release()) EffectsHandle{record.Release(), kKindEffects};
    return 1;
}

void TAVISUP_CALL TAVISUP_ReleaseInterface(EffectsHandle** handle) {
    if (!handle || !*handle) return;
    if ((*handle)->pathRecord) LocalFree((*handle)->pathRecord);
    LocalFree(*handle);
    *handle = nullptr;
}

int TAVISUP_CALL TAVISUP_SetEQGain(EffectsHandle* handle, const int gains[TAVISUP_EQ_BANDS]) {
    if (!handle || !gains) return 0;
    return WriteGains(*handle, gains);
}

int TAVISUP_CALL TAVISUP_GetEQGain(EffectsHandle* handle, int gains[TAVISUP_EQ_BANDS]) {
    if (!handle || !gains) return 0;
    return ReadGains(*handle, gains);
}

int TAVISUP_CALL TAVISUP_SetEQStatus(EffectsHandle* handle, int status) {
    return Set(handle, kPropertyEqualiser, kEqualiserSwitch, Width::Byte, status);
}

int TAVISUP_CALL TAVISUP_GetEQStatus(EffectsHandle* handle, int* status) {
    return Get(handle, kPropertyEqualiser, kEqualiserSwitch, Width::Byte, status);
}

int TAVISUP_CALL TAVISUP_SetEQMode(EffectsHandle* handle, int preset) {
    if (!handle || preset < 0 || preset >= TAVISUP_EQ_PRESETS) return 0;
    int gains[kEqualiserBands];
    PresetGains(preset, gains);
    return WriteGains(*handle, gains);
}

int TAVISUP_CALL TAVISUP_GetEQMode(EffectsHandle* handle, int* preset) {
    if (!handle || !preset) return 0;
    int gains[kEqualiserBands];
    if (!ReadGains(*handle, gains)) return 0;
    *preset = TAVISUP_EQ_NO_PRESET;
    for (int candidate = 0; candidate < TAVISUP_EQ_PRESETS; ++candidate) {
        int expected[kEqualiserBands];
        PresetGains(candidate, expected);
        bool same = true;
        for (uint32_t band = 0; band < kEqualiserBands && same; ++band) {
            same = gains[band] == expected[band];
        }
        if (same) {
            *preset = candidate;
            break;
        }
    }
    return 1;
}

int TAVISUP_CALL TAVISUP_SetEnvMode(EffectsHandle* handle, int mode) {
    if (!handle || mode > TAVISUP_ENV_MODE_MAX) return 0;
    return UpdateEnvironment(*handle, &EnvironmentSettings::mode, mode);
}

int TAVISUP_CALL TAVISUP_GetEnvMode(EffectsHandle* handle, int* mode) {
    if (!handle || !mode) return 0;
    EnvironmentSettings settings;
    if (!ReadEnvironment(*handle, settings)) return 0;
    // Callers know the last environment mode as 0.
    *mode = settings.mode == TAVISUP_ENV_MODE_MAX ? 0 : settings.mode;
    return 1;
}

int TAVISUP_CALL TAVISUP_SetRoomSize(EffectsHandle* handle, int size) {
    if (!handle) return 0;
    return UpdateEnvironment(*handle, &EnvironmentSettings::roomSize, size);
}

int TAVISUP_CALL TAVISUP_GetRoomSize(EffectsHandle* handle, int* size) {
    if (!handle || !size) return 0;
    EnvironmentSettings settings;
    if (!ReadEnvironment(*handle, settings)) return 0;
    *size = settings.roomSize;
    return 1;
}

int TAVISUP_CALL TAVISUP_SetKaraokeState(EffectsHandle* handle, int state) {
    if (!handle) return 0;
    WriteItem(*handle, kPropertyMicrophone, kMicKaraokeState, state, Width::Byte);
    return WriteItem(*handle, kPropertyKaraoke, kKaraokeState, state, Width::Byte) ? 1 : 0;
}

int TAVISUP_CALL TAVISUP_GetKaraokeState(EffectsHandle* handle, int* state) {
    if (!Get(handle, kPropertyKaraoke, kKaraokeState, Width::Byte, state)) return 0;
    // Keeps the microphone side in step with what the driver reports.
    WriteItem(*handle, kPropertyMicrophone, kMicKaraokeState, *state, Width::Byte);
    return 1;
}

int TAVISUP_CALL TAVISUP_SetKaraokeMicEffectState(EffectsHandle* handle, int state) {
    if (!handle) return 0;
    const bool first = WriteItem(*handle, kPropertyMicrophone, kMicEffectState, state, Width::Byte);
    const bool second =
        WriteItem(*handle, kPropertyMicrophone, kMicEffectState2, state, Width::Byte);
    return first && second ? 1 : 0;
}

int TAVISUP_CALL TAVISUP_GetKaraokeMicEffectState(EffectsHandle* handle, int* state) {
    if (!Get(handle, kPropertyMicrophone, kMicEffectState, Width::Byte, state)) return 0;
    WriteItem(*handle, kPropertyMicrophone, kMicEffectState2, *state, Width::Byte);
    return 1;
}

int TAVISUP_CALL TAVISUP_SetKaraokeMicEffectMode(EffectsHandle* handle, int mode) {
    return Set(handle, kPropertyMicrophone, kMicEffectMode, Width::Word, mode);
}

int TAVISUP_CALL TAVISUP_GetKaraokeMicEffectMode(EffectsHandle* handle, int* mode) {
    return Get(handle, kPropertyMicrophone, kMicEffectMode, Width::Word, mode);
}

int TAVISUP_CALL TAVISUP_SetMicEchoLevel(EffectsHandle* handle, int level) {
    // Levels whose scaled word would not fit in 32 bits are refused rather than wrapped.
    if (!handle || level > INT_MAX / kFixedOne || level < INT_MIN / kFixedOne) return 0;
    return Set(handle, kPropertyMicrophone, kMicEchoLevel, Width::Word, level * kFixedOne);
}

int TAVISUP_CALL TAVISUP_GetMicEchoLevel(EffectsHandle* handle, int* level) {
    if (!handle || !level) return 0;
    int word = 0;
    const bool read = ReadItem(*handle, kPropertyMicrophone, kMicEchoLevel, Width::Word, word);
    *level = read ? word / kFixedOne : 0;
    return read ? 1 : 0;
}

int TAVISUP_CALL TAVISUP_SetMagicVoiceMode(EffectsHandle* handle, int mode) {
    return Set(handle, kPropertyMicrophone, kMagicVoiceMode, Width::Word, mode);
}

int TAVISUP_CALL TAVISUP_GetMagicVoiceMode(EffectsHandle* handle, int* mode) {
    return Get(handle, kPropertyMicrophone, kMagicVoiceMode, Width::Word, mode);
}

int TAVISUP_CALL TAVISUP_SetKeyShiftState(EffectsHandle* handle, int state) {
    return Set(handle, kPropertyKaraoke, kKeyShiftState, Width::Byte, state);
}

int TAVISUP_CALL TAVISUP_GetKeyShiftState(EffectsHandle* handle, int* state) {
    return Get(handle, kPropertyKaraoke, kKeyShiftState, Width::Byte, state);
}

int TAVISUP_CALL TAVISUP_SetKeyShiftLevel(EffectsHandle* handle, int level) {
    return Set(handle, kPropertyKaraoke, kKeyShiftLevel, Width::Word, level);
}

int TAVISUP_CALL TAVISUP_GetKeyShiftLevel(EffectsHandle* handle, int* level) {
    return Get(handle, kPropertyKaraoke, kKeyShiftLevel, Width::Word, level);
}

int TAVISUP_CALL TAVISUP_SetVocalCancellationState(EffectsHandle* handle, int state) {
    return Set(handle, kPropertyKaraoke, kVocalCancelState, Width::Byte, state);
}

int TAVISUP_CALL TAVISUP_GetVocalCancellationState(EffectsHandle* handle, int* state) {
    return Get(handle, kPropertyKaraoke, kVocalCancelState, Width::Byte, state);
}

int TAVISUP_CALL TAVISUP_SetVocalCancellationLevel(EffectsHandle* handle, int level) {
    return Set(handle, kPropertyKaraoke, kVocalCancelLevel, Width::Word, level);
}

int TAVISUP_CALL TAVISUP_GetVocalCancellationLevel(EffectsHandle* handle, int* level) {
    return Get(handle, kPropertyKaraoke, kVocalCancelLevel, Width::Word, level);
}

}  // extern "C"
