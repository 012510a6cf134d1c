#include "recording_source.h"

#include <atomic>

#include "local_buffer.h"
#include "win32/mixer.h"

namespace sonorel {
namespace {

static_assert(sizeof(MIXERCONTROLDETAILS_LISTTEXTA) == 72);
static_assert(MIXERCONTROL_CONTROLTYPE_MUX == 0x70010001);
static_assert(MIXERLINE_COMPONENTTYPE_DST_WAVEIN == 7);
constexpr DWORD kMaxMuxChannels = 32;
constexpr DWORD kMaxMuxItems = 256;
// Every call below gets the opened mixer's handle, never a device number.
constexpr DWORD kByHandle = MIXER_OBJECTF_HMIXER;

const MixerQueries kSystemQueries = {::mixerGetLineInfoA, ::mixerGetLineControlsA, ::mixerGetControlDetailsA,
                                     ::mixerSetControlDetails};
std::atomic<const MixerQueries*> g_queries{nullptr};

const MixerQueries& Queries() {
    const MixerQueries* installed = g_queries.load();
    return installed ? *installed : kSystemQueries;
}

// A wave-in destination's multiplexer: its details hold channels x items entries.
struct Multiplexer {
    MIXERLINEA line{};
    MIXERCONTROLA control{};
    DWORD channels = 1;
    DWORD items = 1;
};

bool FindMultiplexer(const win32::MixerHandle& mixer, DWORD destination, Multiplexer& mux) {
    mux.line.cbStruct = sizeof mux.line;
    mux.line.dwDestination = destination;
    if (Queries().lineInfo(win32::MixerObject(mixer), &mux.line, kByHandle | MIXER_GETLINEINFOF_DESTINATION) !=
            MMSYSERR_NOERROR ||
        mux.line.dwComponentType != MIXERLINE_COMPONENTTYPE_DST_WAVEIN) {
        return false;
    }
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = mux.line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUX;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof mux.control;
    controls.pamxctrl = &mux.control;
    if (Queries().lineControls(win32::MixerObject(mixer), &controls, kByHandle | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR) {
        return false;
    }
    // A uniform control has one value for all channels, and the mixer expects one channel.
    const bool uniform = (mux.control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) != 0;
    mux.channels = uniform || mux.line.cChannels == 0 ? 1 : mux.line.cChannels;
    mux.items = mux.control.cMultipleItems == 0 ? 1 : mux.control.cMultipleItems;
    // The driver's counts size our buffers: refuse what no real multiplexer has.
    return mux.channels <= kMaxMuxChannels && mux.items <= kMaxMuxItems;
}

MIXERCONTROLDETAILS Details(const Multiplexer& mux, DWORD itemSize, void* entries) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = mux.control.dwControlID;
    details.cChannels = mux.channels;
    details.cMultipleItems = mux.control.cMultipleItems;
    details.cbDetails = itemSize;
    details.paDetails = entries;
    return details;
}

void SelectOn(const win32::MixerHandle& mixer, const Multiplexer& mux, uint32_t sourceType) {
    const size_t entries = static_cast<size_t>(mux.channels) * mux.items;
    LocalBuffer chosen(entries * sizeof(MIXERCONTROLDETAILS_BOOLEAN));
    if (!chosen) return;
    auto* values = reinterpret_cast<MIXERCONTROLDETAILS_BOOLEAN*>(chosen.get());

    if (mux.line.cConnections == 1) {
        for (DWORD c = 0; c < mux.channels; ++c) values[c * mux.items].fValue = 1;
    } else {
        LocalBuffer names(entries * sizeof(MIXERCONTROLDETAILS_LISTTEXTA));
        if (!names) return;
        MIXERCONTROLDETAILS query = Details(mux, sizeof(MIXERCONTROLDETAILS_LISTTEXTA), names.get());
        if (Queries().getDetails(win32::MixerObject(mixer), &query, kByHandle | MIXER_GETCONTROLDETAILSF_LISTTEXT) !=
            MMSYSERR_NOERROR) {
            return;
        }
        const auto* items = reinterpret_cast<const MIXERCONTROLDETAILS_LISTTEXTA*>(names.get());
        for (DWORD c = 0; c < mux.channels; ++c) {
            // No such source: leave the recording source as it was rather than select nothing.
            if (!ChooseRecordingItems(items + c * mux.items, mux.items, sourceType,
                                      values + c * mux.items)) {
                return;
            }
        }
    }
    MIXERCONTROLDETAILS write = Details(mux, sizeof(MIXERCONTROLDETAILS_BOOLEAN), values);
    Queries().setDetails(win32::MixerObject(mixer), &write, kByHandle | MIXER_SETCONTROLDETAILSF_VALUE);
}

class MixerSource final : public RecordingSource {
public:
    void Select(uint32_t sourceType) override {
        win32::MixerHandle mixer = win32::OpenMixer(0);
        if (!mixer) return;
        MIXERCAPSA caps{};
        if (mixerGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return;
        for (DWORD d = 0; d < caps.cDestinations; ++d) {
            Multiplexer mux;
            if (FindMultiplexer(mixer, d, mux)) SelectOn(mixer, mux, sourceType);
        }
    }
};

std::atomic<RecordingSource*> g_installed{nullptr};

}  // namespace

bool ChooseRecordingItems(const MIXERCONTROLDETAILS_LISTTEXTA* items, size_t count,
                          uint32_t sourceType, MIXERCONTROLDETAILS_BOOLEAN* chosen) {
    bool found = false;
    for (size_t j = 0; j < count; ++j) {
        // A multiplexer takes one choice: the first microphone, not every one (front and rear).
        const bool pick = !found && items[j].dwParam2 == sourceType;
        chosen[j].fValue = pick ? 1 : 0;
        found = found || pick;
    }
    return found;
}

bool SelectedRecordingSource(uint32_t& sourceType) {
    win32::MixerHandle mixer = win32::OpenMixer(0);
    if (!mixer) return false;
    MIXERCAPSA caps{};
    if (mixerGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
    for (DWORD d = 0; d < caps.cDestinations; ++d) {
        Multiplexer mux;
        if (!FindMultiplexer(mixer, d, mux)) continue;
        const size_t entries = static_cast<size_t>(mux.channels) * mux.items;
        LocalBuffer values(entries * sizeof(MIXERCONTROLDETAILS_BOOLEAN));
        LocalBuffer names(entries * sizeof(MIXERCONTROLDETAILS_LISTTEXTA));
        if (!values || !names) return false;
        MIXERCONTROLDETAILS read = Details(mux, sizeof(MIXERCONTROLDETAILS_BOOLEAN), values.get());
        MIXERCONTROLDETAILS list =
            Details(mux, sizeof(MIXERCONTROLDETAILS_LISTTEXTA), names.get());
        if (Queries().getDetails(win32::MixerObject(mixer), &read, kByHandle | MIXER_GETCONTROLDETAILSF_VALUE) !=
                MMSYSERR_NOERROR ||
            Queries().getDetails(win32::MixerObject(mixer), &list, kByHandle | MIXER_GETCONTROLDETAILSF_LISTTEXT) !=
                MMSYSERR_NOERROR) {
            return false;
        }
        const auto* selected = reinterpret_cast<const MIXERCONTROLDETAILS_BOOLEAN*>(values.get());
        const auto* items = reinterpret_cast<const MIXERCONTROLDETAILS_LISTTEXTA*>(names.get());
        for (DWORD j = 0; j < mux.items; ++j) {
            if (selected[j].fValue) {
                sourceType = items[j].dwParam2;
                return true;
            }
        }
        return false;
    }
    return false;
}

RecordingSource& MixerRecordingSource() {
    static MixerSource source;
    return source;
}

RecordingSource& CurrentRecordingSource() {
    RecordingSource* installed = g_installed.load();
    return installed ? *installed : MixerRecordingSource();
}

void InstallRecordingSource(RecordingSource* source) { g_installed.store(source); }

void InstallMixerQueries(const MixerQueries* queries) { g_queries.store(queries); }

}  // namespace sonorel
