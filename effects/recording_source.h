#pragma once
// Making the microphone the recording source when karaoke or a microphone effect goes on.
// Behind a port so a test can see when the library asks for it.
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>

namespace sonorel {

// Component type of a microphone source line.
constexpr uint32_t kMicrophoneSource = MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
static_assert(kMicrophoneSource == 4099);

class RecordingSource {
public:
    virtual ~RecordingSource() = default;
    // Best effort; the outcome is not reported.
    virtual void Select(uint32_t sourceType) = 0;
};

RecordingSource& CurrentRecordingSource();
// Null restores the mixer.
void InstallRecordingSource(RecordingSource* source);

class ScopedRecordingSource {
public:
    explicit ScopedRecordingSource(RecordingSource& source) { InstallRecordingSource(&source); }
    ~ScopedRecordingSource() { InstallRecordingSource(nullptr); }
    ScopedRecordingSource(const ScopedRecordingSource&) = delete;
    ScopedRecordingSource& operator=(const ScopedRecordingSource&) = delete;
};

// Multiplexer items of a wave-in destination: one boolean per item, set for the first item whose
// source line is of `sourceType`; false when there is none. The mixer puts the line identifier
// in the first parameter and the component type in the second; only the type is the same on
// every machine.
bool ChooseRecordingItems(const MIXERCONTROLDETAILS_LISTTEXTA* items, size_t count,
                          uint32_t sourceType, MIXERCONTROLDETAILS_BOOLEAN* chosen);

// The source type of the first selected item of the first wave-in multiplexer of mixer 0.
bool SelectedRecordingSource(uint32_t& sourceType);

// The multimedia mixer's multiplexer on mixer device 0.
RecordingSource& MixerRecordingSource();

// The mixer calls the selection makes on its opened mixer, so a test can see what they are given.
struct MixerQueries {
    MMRESULT(WINAPI* lineInfo)(HMIXEROBJ, LPMIXERLINEA, DWORD);
    MMRESULT(WINAPI* lineControls)(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD);
    MMRESULT(WINAPI* getDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT(WINAPI* setDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
};
// Null restores the system's.
void InstallMixerQueries(const MixerQueries* queries);

}  // namespace sonorel
