// Test build of the effects library: the same exports, with the simulated driver installed as the
// transport when the DLL loads, and a few functions of its own to read what the driver was sent.
#include <windows.h>

#include <cstdio>
#include <string>

#include "recording_source.h"
#include "simulated_driver.h"

#define SIM_EXPORT extern "C" __declspec(dllexport)

namespace {

class QuietSource final : public sonorel::RecordingSource {
public:
    void Select(uint32_t) override { ++selections; }
    int selections = 0;
};

struct Installed {
    sonorel::SimulatedDriver driver;
    sonorel::ScopedTransport transport{driver};
    QuietSource source;
    sonorel::ScopedRecordingSource sourceScope{source};
};

Installed& Sim() {
    static Installed installed;
    return installed;
}

// Installed before the host's first call.
const bool g_installed = (Sim(), true);

}  // namespace

// The item writes the driver accepted since the last clear, one "property:item=value" a line.
SIM_EXPORT int SonorelSim_Writes(char* out, int size) {
    std::string text;
    for (const auto& r : Sim().driver.Requests()) {
        if (r.Header().flags != sonorel::kRequestSet || r.dataSize != 8 || !r.answered) continue;
        const sonorel::PropertyItem item = r.Item();
        if (item.selector & sonorel::kReadSelection) continue;
        text += std::to_string(r.Header().id) + ":" + std::to_string(item.selector) + "=" +
                std::to_string(item.value) + "\n";
    }
    if (!out || size <= 0) return static_cast<int>(text.size());
    std::snprintf(out, static_cast<size_t>(size), "%s", text.c_str());
    return static_cast<int>(text.size());
}

SIM_EXPORT void SonorelSim_Clear() { Sim().driver.ClearRequests(); }
SIM_EXPORT void SonorelSim_Poke(int property, int item, int value) {
    Sim().driver.Poke(static_cast<uint32_t>(property), static_cast<uint32_t>(item), value);
}
SIM_EXPORT int SonorelSim_Item(int property, int item) {
    return Sim().driver.Item(static_cast<uint32_t>(property), static_cast<uint32_t>(item));
}
SIM_EXPORT void SonorelSim_RemoveDriver() { Sim().driver.RemoveAll(); }
