#include "launcher/model/karaoke_panel_model.h"

#include <algorithm>
#include <utility>

namespace audio {
namespace {

constexpr int kVkReturn = 0x0D;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

// Audio lines of SetLineVolume and its directions.
constexpr int kRecording = 0;
constexpr int kPlayback = 1;

// Left lowers, Right raises, within [low, high].
void Step(int vk, int& value, int low, int high) {
    if (vk == kVkLeft && value > low) --value;
    if (vk == kVkRight && value < high) ++value;
}

}  // namespace

KaraokePanelModel::KaraokePanelModel(KaraokeEffects& effects, LineVolumeFn lineVolume)
    : fx_(effects), line_(std::move(lineVolume)) {}

KaraokePanelModel::~KaraokePanelModel() {
    if (handle_) fx_.ReleaseInterface(&handle_);
}

void KaraokePanelModel::Start() {
    if (std::exchange(started_, true)) return;
    const int level = s_.monitorLevel * 5;
    line_(level, 0, kRecording, s_.monitorMuted);
    line_(level, 1, kPlayback, s_.monitorMuted);
    line_(66, 3, kRecording, s_.monitorMuted);
    line_(level, 2, kPlayback, s_.monitorMuted);
    line_(66, 4, kRecording, s_.monitorMuted);

    fx_.GetInterface(&handle_);
    if (!handle_) return;
    fx_.SetKaraokeState(handle_, 1);
    fx_.SetKaraokeMicEffectState(handle_, 1);
    int mode = kMicEffectMagic;  // a failed read counts as magic voice
    fx_.GetKaraokeMicEffectMode(handle_, &mode);
    s_.magicOn = mode != kMicEffectEcho ? 1 : 0;
    s_.echoOn = 1 - s_.magicOn;
    fx_.SetKeyShiftState(handle_, 0);
    fx_.SetVocalCancellationState(handle_, 0);
    int echo = s_.echoLevel;
    fx_.GetMicEchoLevel(handle_, &echo);
    int shift = s_.keyShiftLevel;
    fx_.GetKeyShiftLevel(handle_, &shift);
    // The driver's words size the bar rows: keep them inside what the panel can show.
    s_.echoLevel = std::clamp(echo, kEchoLevelMin, kEchoLevelMax);
    s_.keyShiftLevel = std::clamp(shift, kKeyShiftMin, kKeyShiftMax);
}

bool KaraokePanelModel::Key(int vk) {
    if (vk == kVkUp || vk == kVkDown) {
        if (vk == kVkUp && s_.selectedRow > 0) --s_.selectedRow;
        if (vk == kVkDown && s_.selectedRow < kPanelRows - 1) ++s_.selectedRow;
        return true;
    }
    if (vk != kVkLeft && vk != kVkRight && vk != kVkReturn) return false;
    const int row = s_.selectedRow;
    if (row >= 1 && row <= 4 && !handle_) return false;
    switch (row) {
    case 0: ActOnMonitor(vk); break;
    case 1: ActOnEcho(vk); break;
    case 2: ActOnMagic(vk); break;
    case 3: ActOnKeyShift(vk); break;
    case 4: ActOnVocalCancel(vk); break;
    default:
        if (vk == kVkReturn) Reset();
        break;
    }
    return true;
}

void KaraokePanelModel::SendMonitor(int level, int mute) {
    line_(level, 1, kPlayback, mute);
    line_(level, 0, kRecording, mute);
    line_(level, 2, kPlayback, mute);
}

void KaraokePanelModel::ActOnMonitor(int vk) {
    Step(vk, s_.monitorLevel, 0, kMonitorLevelMax);
    if (vk == kVkReturn) s_.monitorMuted = !s_.monitorMuted;
    SendMonitor(s_.monitorLevel * 5, s_.monitorMuted);
}

void KaraokePanelModel::ActOnEcho(int vk) {
    Step(vk, s_.echoLevel, kEchoLevelMin, kEchoLevelMax);
    if (vk == kVkReturn) {
        const int wasEcho = s_.echoOn;
        s_.echoOn = !wasEcho;
        s_.magicOn = wasEcho;
    }
    SetMicEffectMode(s_.echoOn ? kMicEffectEcho : kMicEffectMagic);
    fx_.SetMicEchoLevel(handle_, s_.echoLevel);
}

void KaraokePanelModel::ActOnMagic(int vk) {
    Step(vk, s_.magicMode, 0, kMagicModeMax);
    if (vk == kVkReturn) {
        const int wasMagic = s_.magicOn;
        s_.magicOn = !wasMagic;
        s_.echoOn = wasMagic;
    }
    SetMicEffectMode(s_.magicOn ? kMicEffectMagic : kMicEffectEcho);
    fx_.SetMagicVoiceMode(handle_, s_.magicMode);
}

void KaraokePanelModel::ActOnKeyShift(int vk) {
    Step(vk, s_.keyShiftLevel, kKeyShiftMin, kKeyShiftMax);
    if (vk == kVkReturn) s_.keyShiftOn = !s_.keyShiftOn;
    RenewHandle();
    fx_.SetKeyShiftState(handle_, s_.keyShiftOn);
    fx_.SetKeyShiftLevel(handle_, s_.keyShiftLevel);
}

void KaraokePanelModel::ActOnVocalCancel(int vk) {
    if (vk != kVkReturn) return;
    s_.vocalCancelOn = !s_.vocalCancelOn;
    fx_.SetVocalCancellationState(handle_, s_.vocalCancelOn);
    fx_.SetVocalCancellationLevel(handle_, kVocalCancelLevel);
}

void KaraokePanelModel::Reset() {
    SendMonitor(10, 0);
    s_.monitorLevel = 2;
    s_.monitorMuted = 1;
    if (!handle_) return;
    SetMicEffectMode(kMicEffectEcho);
    fx_.SetMicEchoLevel(handle_, 0);
    s_.echoOn = 1;
    s_.magicOn = 0;
    s_.echoLevel = 0;
    fx_.SetKeyShiftState(handle_, 0);
    s_.keyShiftOn = 0;
    s_.keyShiftLevel = 0;
    fx_.SetVocalCancellationState(handle_, 0);
    fx_.SetVocalCancellationLevel(handle_, kVocalCancelLevel);
    s_.vocalCancelOn = 0;
}

void KaraokePanelModel::SetMicEffectMode(int mode) {
    if (fx_.SetKaraokeMicEffectMode(handle_, mode)) return;
    // The driver may have gone and come back under a new path: look it up once more.
    RenewHandle();
    fx_.SetKaraokeMicEffectMode(handle_, mode);
}

void KaraokePanelModel::RenewHandle() {
    EffectsHandle* fresh = nullptr;
    fx_.GetInterface(&fresh);
    if (handle_) fx_.ReleaseInterface(&handle_);
    handle_ = fresh;
}

void KaraokePanelModel::Shutdown() {
    if (std::exchange(shutDown_, true)) return;
    // With no handle these fail at once in the library.
    fx_.SetKaraokeState(handle_, 0);
    fx_.SetKaraokeMicEffectState(handle_, 0);
    fx_.SetKeyShiftState(handle_, 0);
    fx_.SetVocalCancellationState(handle_, 0);
    line_(10, 1, kPlayback, 1);
    line_(10, 0, kRecording, 1);
    line_(0, 3, kRecording, 1);
    line_(10, 2, kPlayback, 1);
    line_(0, 4, kRecording, 1);
}

std::vector<PanelPicture> PanelPictures(const KaraokeSettings& s, int screenHeight, int windowWidth,
                                        int windowHeight) {
    const float unit = static_cast<float>(screenHeight) / 1024.0f;
    std::vector<PanelPicture> out;
    auto add = [&](int id, float x, float y, float w, float h) { out.push_back({id, x, y * unit, w, h * unit}); };
    auto bars = [&](int count, int step, float y) {
        for (int i = 0; i < count; ++i) add(234, 30.0f + static_cast<float>(step * i), y, 9, 30);
    };
    static const float kMarkerY[kPanelRows] = {57, 172, 297, 417, 537, 603};
    static const float kSlotX[5] = {30, 110, 218, 30, 110};
    static const float kSlotY[5] = {337, 337, 337, 365, 365};

    out.push_back({221, 0, 0, static_cast<float>(windowWidth), static_cast<float>(windowHeight)});
    add(235, 15, kMarkerY[std::clamp(s.selectedRow, 0, kPanelRows - 1)], 12, 17);
    add(s.monitorMuted ? 223 : 222, 30, 45, 40, 40);
    bars(std::clamp(s.monitorLevel, 0, kMonitorLevelMax), 10, 90);
    add(s.echoOn ? 224 : 225, 30, 165, 40, 40);
    bars(std::clamp(s.echoLevel, kEchoLevelMin, kEchoLevelMax) + 13, 10, 210);
    add(s.magicOn ? 226 : 227, 30, 285, 40, 40);
    for (int slot = 0; slot <= kMagicModeMax; ++slot) {
        add(slot == s.magicMode ? 228 : 229, kSlotX[slot], kSlotY[slot], 20, 16);
    }
    add(s.keyShiftOn ? 230 : 231, 30, 405, 40, 40);
    bars(std::clamp(s.keyShiftLevel, kKeyShiftMin, kKeyShiftMax) + 5, 21, 450);
    add(s.vocalCancelOn ? 232 : 233, 30, 525, 40, 40);
    add(236, 30, 591, 40, 40);
    return out;
}

PanelPlace PlacePanel(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
    return {screenWidth - pictureWidth - 10, 50, pictureWidth, pictureHeight * screenHeight / 1024};
}

}  // namespace audio
