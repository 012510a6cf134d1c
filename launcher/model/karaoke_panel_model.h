#pragma once
// The karaoke panel without its window: six rows of settings that remote keys change, turned into
// effects-library and line-volume calls, and the list of pictures that draw the current state.
#include <functional>
#include <vector>

#include "launcher/model/karaoke_effects.h"

namespace audio {

// SetLineVolume(level, line, direction, mute).
using LineVolumeFn = std::function<int(int level, int line, int direction, int mute)>;

struct KaraokeSettings {
    int monitorLevel = 2;   // 0..20, steps of 5 percent
    int echoLevel = 0;      // -12..12
    int magicMode = 0;      // 0..4
    int keyShiftLevel = 0;  // -4..4
    int monitorMuted = 1;
    int echoOn = 0;
    int magicOn = 0;
    int keyShiftOn = 0;
    int vocalCancelOn = 0;
    int selectedRow = 0;    // 0..5
};

constexpr int kPanelRows = 6;
constexpr int kMonitorLevelMax = 20;
constexpr int kEchoLevelMin = -12;
constexpr int kEchoLevelMax = 12;
constexpr int kMagicModeMax = 4;
constexpr int kKeyShiftMin = -4;
constexpr int kKeyShiftMax = 4;
constexpr int kVocalCancelLevel = 50;
constexpr int kMicEffectEcho = 0;
constexpr int kMicEffectMagic = 1;

class KaraokePanelModel {
public:
    KaraokePanelModel(KaraokeEffects& effects, LineVolumeFn lineVolume);
    // Releases the effects handle; the driver keeps whatever was last written.
    ~KaraokePanelModel();
    KaraokePanelModel(const KaraokePanelModel&) = delete;
    KaraokePanelModel& operator=(const KaraokePanelModel&) = delete;

    // Line levels, then the effects handle and the karaoke effects on; reads back what the driver
    // holds. Runs once.
    void Start();
    // One remote key (VK_RETURN, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN); true when the panel is to be
    // redrawn. Other keys do nothing.
    bool Key(int vk);
    // Effects off and the lines back to their idle levels; runs once, later calls do nothing.
    void Shutdown();

    const KaraokeSettings& settings() const { return s_; }
    bool hasEffects() const { return handle_ != nullptr; }

private:
    void SendMonitor(int level, int mute);
    void ActOnMonitor(int vk);
    void ActOnEcho(int vk);
    void ActOnMagic(int vk);
    void ActOnKeyShift(int vk);
    void ActOnVocalCancel(int vk);
    void Reset();
    void SetMicEffectMode(int mode);
    // GetInterface into the handle; the handle it replaces is released.
    void RenewHandle();

    KaraokeEffects& fx_;
    LineVolumeFn line_;
    KaraokeSettings s_;
    EffectsHandle* handle_ = nullptr;
    bool started_ = false;
    bool shutDown_ = false;
};

// One picture of the panel's drawing, in window pixels (y and height already scaled).
struct PanelPicture {
    int id;  // resource id 221..236
    float x, y, width, height;
};

// Everything the panel draws for `s`, in drawing order, on a screen `screenHeight` pixels high
// (vertical measures are designed for 1024). The background covers windowWidth x windowHeight.
std::vector<PanelPicture> PanelPictures(const KaraokeSettings& s, int screenHeight, int windowWidth,
                                        int windowHeight);

// Window place from the background picture's size: right-aligned 10 pixels from the screen edge,
// 50 from the top, height scaled to the screen.
struct PanelPlace {
    int left, top, width, height;
};
PanelPlace PlacePanel(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

}  // namespace audio
