#pragma once
// Which control inside a sound adapter carries an audio line, and the level it gets: the part of
// the line-volume routine that needs no device.
#include <windows.h>

#include <optional>
#include <string_view>

namespace audio {

// The adapters told apart by their device identifier, in the order they are recognised.
enum class AdapterKind {
    Ven1106Dev4397,
    Ven10ecDev0662,
    Ven10ecDev0888,
    Ven10ecOther,
    Vid5a1ePid02b7,
    Other,
};

// `id` is the adapter's device identifier in lower case.
AdapterKind RecogniseAdapter(std::wstring_view id);

// The sub-unit that carries the level of `line` (1..4; above 4 selects sub-unit 0), or nothing
// when the line does nothing on this adapter.
std::optional<UINT> LevelSubunit(AdapterKind kind, unsigned line, UINT subunitCount);

// The sub-unit beside `index` that carries the mute, or nothing when it would fall outside the
// topology's `subunitCount` sub-units.
std::optional<UINT> MuteSubunit(AdapterKind kind, UINT index, UINT subunitCount);

// A level argument as the routine uses it: 0..100, or kMuteOnly; anything else is clamped.
constexpr unsigned kMuteOnly = 101;
unsigned NormaliseLevel(int level);

// Playback level in dB from the adapter's table: entry level / 5, where entry 0 is the control's
// minimum and entry 20 its maximum.
float PlaybackLevelDb(AdapterKind kind, unsigned level, float minDb, float maxDb);

// Recording level in dB: `level` percent of the way from the minimum to the maximum.
float RecordingLevelDb(unsigned level, float minDb, float maxDb);

}  // namespace audio
