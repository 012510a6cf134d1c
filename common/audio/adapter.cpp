#include "adapter.h"

#include <array>

namespace audio {

namespace {

// Identifiers start with a bus prefix, so a match at the very first character is no match.
bool Contains(std::wstring_view id, std::wstring_view part) {
    const size_t at = id.find(part);
    return at != std::wstring_view::npos && at > 0;
}

constexpr size_t kTableSize = 21;

// Inner entries in dB; the first and last come from the control's range.
constexpr std::array<float, kTableSize> kUsbPlaybackDb = {
    0.0f,       -3.520599f, 2.5f,       6.021820f,  8.520599f,  10.458801f, 12.042419f,
    13.129578f, 14.541199f, 15.369049f, 16.479401f, 17.307251f, 18.063019f, 18.890869f,
    19.401947f, 20.001221f, 20.561798f, 21.088379f, 21.487793f, 22.054459f, 0.0f};
constexpr std::array<float, kTableSize> kPlaybackDb = {
    0.0f,     -13.25f, -7.625f, -4.21875f, -1.8125f, 0.09375f, 1.65625f,
    2.71875f, 4.125f,  4.9375f, 6.03125f,  6.84375f, 7.59375f, 8.15625f,
    8.9375f,  9.53125f, 10.09375f, 10.625f, 11.0f,   11.5625f, 0.0f};

}  // namespace

AdapterKind RecogniseAdapter(std::wstring_view id) {
    if (Contains(id, L"ven_1106&dev_4397")) return AdapterKind::Ven1106Dev4397;
    if (Contains(id, L"ven_10ec")) {
        if (Contains(id, L"dev_0662")) return AdapterKind::Ven10ecDev0662;
        if (Contains(id, L"dev_0888")) return AdapterKind::Ven10ecDev0888;
        return AdapterKind::Ven10ecOther;
    }
    if (Contains(id, L"vid_5a1e&pid_02b7")) return AdapterKind::Vid5a1ePid02b7;
    return AdapterKind::Other;
}

std::optional<UINT> LevelSubunit(AdapterKind kind, unsigned line, UINT subunitCount) {
    if (line < 1 || line > 4) return 0u;
    const size_t i = line - 1;
    switch (kind) {
        case AdapterKind::Ven1106Dev4397: {
            // This chip's small topology has three sub-units and no separate line 3.
            const bool small = subunitCount == 3;
            if (line == 3 && small) return std::nullopt;
            if (line == 4) return small ? std::optional<UINT>(2u) : std::nullopt;
            return std::array<UINT, 3>{5, 9, 9}[i];
        }
        case AdapterKind::Ven10ecDev0662:
            return std::array<UINT, 4>{6, 8, 1, 1}[i];
        case AdapterKind::Ven10ecDev0888:
            return std::array<UINT, 4>{8, 10, 1, 1}[i];
        case AdapterKind::Vid5a1ePid02b7:
            if (line == 3) return std::nullopt;
            return std::array<UINT, 4>{2, 2, 0, 1}[i];
        case AdapterKind::Ven10ecOther:
        case AdapterKind::Other:
            break;
    }
    return 0u;
}

std::optional<UINT> MuteSubunit(AdapterKind kind, UINT index, UINT subunitCount) {
    const bool below = kind == AdapterKind::Ven10ecDev0662 || kind == AdapterKind::Ven10ecDev0888 ||
                       kind == AdapterKind::Ven10ecOther;
    if (below) {
        if (index == 0 || index - 1 >= subunitCount) return std::nullopt;
        return index - 1;
    }
    if (index >= subunitCount || index + 1 >= subunitCount) return std::nullopt;
    return index + 1;
}

unsigned NormaliseLevel(int level) {
    if (level < 0) return 0;
    if (level == static_cast<int>(kMuteOnly)) return kMuteOnly;
    return level > 100 ? 100u : static_cast<unsigned>(level);
}

float PlaybackLevelDb(AdapterKind kind, unsigned level, float minDb, float maxDb) {
    const size_t entry = level >= 100 ? kTableSize - 1 : level / 5;
    if (entry == 0) return minDb;
    if (entry == kTableSize - 1) return maxDb;
    const auto& table = kind == AdapterKind::Vid5a1ePid02b7 ? kUsbPlaybackDb : kPlaybackDb;
    return table[entry];
}

float RecordingLevelDb(unsigned level, float minDb, float maxDb) {
    if (level > 100) level = 100;
    return minDb + (maxDb - minDb) * static_cast<float>(level) / 100.0f;
}

}  // namespace audio
