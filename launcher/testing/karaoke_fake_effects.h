#pragma once
// A stand-in for the effects library: numbered handles, every call noted, refusals on demand.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "launcher/model/karaoke_effects.h"

namespace audio {

// Hands out numbered handles, notes every call as "Name(handle,value)" and can refuse calls.
class RecordingEffects final : public KaraokeEffects {
public:
    bool driverPresent = true;
    int micModeInDriver = 0;
    int readsFail = 0;
    int echoInDriver = 3;
    int shiftInDriver = -2;
    int modeWritesToRefuse = 0;
    std::vector<std::string> calls;
    std::set<int> live;

    int GetInterface(EffectsHandle** h) override {
        *h = nullptr;
        if (driverPresent) {
            ++issued_;
            live.insert(issued_);
            *h = reinterpret_cast<EffectsHandle*>(static_cast<uintptr_t>(issued_));
        }
        calls.push_back("GetInterface");
        return *h ? 1 : 0;
    }
    void ReleaseInterface(EffectsHandle** h) override {
        calls.push_back("Release(" + Id(*h) + ")");
        live.erase(static_cast<int>(reinterpret_cast<uintptr_t>(*h)));
        *h = nullptr;
    }
    int SetKaraokeState(EffectsHandle* h, int v) override { return Note("Karaoke", h, v); }
    int SetKaraokeMicEffectState(EffectsHandle* h, int v) override { return Note("MicEffect", h, v); }
    int GetKaraokeMicEffectMode(EffectsHandle* h, int* v) override { return Read("GetMode", h, v, micModeInDriver); }
    int SetKaraokeMicEffectMode(EffectsHandle* h, int v) override {
        if (modeWritesToRefuse > 0) {
            --modeWritesToRefuse;
            calls.push_back("Mode(" + Id(h) + "," + std::to_string(v) + ")refused");
            return 0;
        }
        return Note("Mode", h, v);
    }
    int GetMicEchoLevel(EffectsHandle* h, int* v) override { return Read("GetEcho", h, v, echoInDriver); }
    int SetMicEchoLevel(EffectsHandle* h, int v) override { return Note("Echo", h, v); }
    int SetMagicVoiceMode(EffectsHandle* h, int v) override { return Note("Magic", h, v); }
    int SetKeyShiftState(EffectsHandle* h, int v) override { return Note("Shift", h, v); }
    int GetKeyShiftLevel(EffectsHandle* h, int* v) override { return Read("GetShift", h, v, shiftInDriver); }
    int SetKeyShiftLevel(EffectsHandle* h, int v) override { return Note("ShiftLevel", h, v); }
    int SetVocalCancellationState(EffectsHandle* h, int v) override { return Note("Vocal", h, v); }
    int SetVocalCancellationLevel(EffectsHandle* h, int v) override { return Note("VocalLevel", h, v); }

    static std::string Id(EffectsHandle* h) { return std::to_string(reinterpret_cast<uintptr_t>(h)); }

private:
    int Note(const char* name, EffectsHandle* h, int v) {
        calls.push_back(std::string(name) + "(" + Id(h) + "," + std::to_string(v) + ")");
        return h ? 1 : 0;
    }
    int Read(const char* name, EffectsHandle* h, int* v, int value) {
        calls.push_back(std::string(name) + "(" + Id(h) + ")");
        if (!h || readsFail) return 0;
        *v = value;
        return 1;
    }
    int issued_ = 0;
};

}  // namespace audio
