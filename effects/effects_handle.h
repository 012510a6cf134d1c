#pragma once
// The handle and the request records the library shares with the driver.
#include <windows.h>
#include <setupapi.h>

#include <cstddef>
#include <cstdint>

#include "sonorel.h"

struct EffectsHandle {
    // Copy of the driver's device-interface detail record; the path text follows the size field.
    unsigned char* pathRecord;
    // Picks the property set of every request.
    uint32_t kind;
};
static_assert(offsetof(EffectsHandle, pathRecord) == 0);
static_assert(offsetof(EffectsHandle, kind) == sizeof(void*));
static_assert(sizeof(EffectsHandle) == 2 * sizeof(void*));

namespace sonorel {

constexpr uint32_t kKindEffects = 0x801;
constexpr uint32_t kKindEffectsAlias = 0x1030;
constexpr uint32_t kKindVendorSet = 0x1029;

// The detail record is a 32-bit size field followed by the zero-terminated path.
constexpr size_t kPathOffset = 4;
static_assert(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) == kPathOffset);

// Selector and value of every item request.
struct PropertyItem {
    uint32_t selector;
    int32_t value;
};
static_assert(sizeof(PropertyItem) == 8);
static_assert(offsetof(PropertyItem, value) == 4);

// Selector bit that turns an item number into a read selection.
constexpr uint32_t kReadSelection = 0x80000000u;

// The 8-byte environment buffer, read and written whole.
struct EnvironmentSettings {
    int32_t mode;
    int32_t roomSize;
};
static_assert(sizeof(EnvironmentSettings) == 8);

enum PropertyId : uint32_t {
    kPropertyProbe = 1,
    kPropertyEnvironment = 5,
    kPropertyEqualiser = 9,
    kPropertyKaraoke = 16,
    kPropertyMicrophone = 24,
};

// Items of the equaliser (9), karaoke (16) and microphone (24) properties.
constexpr uint32_t kEqualiserBands = 10;
constexpr uint32_t kEqualiserSwitch = 10;
constexpr uint32_t kKaraokeState = 0;
constexpr uint32_t kKeyShiftState = 1;
constexpr uint32_t kKeyShiftLevel = 2;
constexpr uint32_t kVocalCancelState = 3;
constexpr uint32_t kVocalCancelLevel = 4;
constexpr uint32_t kMicKaraokeState = 0;
constexpr uint32_t kMicEffectMode = 1;
constexpr uint32_t kMicEffectState = 2;
constexpr uint32_t kMicEchoLevel = 3;
constexpr uint32_t kMagicVoiceMode = 4;
constexpr uint32_t kMicEffectState2 = 5;

}  // namespace sonorel
