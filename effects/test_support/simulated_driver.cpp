#include "simulated_driver.h"

#include <cstring>

namespace sonorel {
namespace {

// Items per property; byte-wide registers keep only the low byte of what is written.
struct ItemLayout {
    uint32_t count;
    std::vector<uint32_t> byteItems;
};

const ItemLayout* LayoutOf(uint32_t property) {
    static const ItemLayout equaliser{11, {kEqualiserSwitch}};
    static const ItemLayout karaoke{5, {kKaraokeState, kKeyShiftState, kVocalCancelState}};
    static const ItemLayout microphone{6, {kMicKaraokeState, kMicEffectState, kMicEffectState2}};
    switch (property) {
    case kPropertyEqualiser: return &equaliser;
    case kPropertyKaraoke: return &karaoke;
    case kPropertyMicrophone: return &microphone;
    default: return nullptr;
    }
}

bool IsByteItem(const ItemLayout& layout, uint32_t item) {
    for (uint32_t b : layout.byteItems) {
        if (b == item) return true;
    }
    return false;
}

}  // namespace

class SimulatedDriver::SimDevice final : public Device {
public:
    SimDevice(SimulatedDriver& driver, const Port& port) : driver_(driver), port_(port) {}
    bool Control(uint32_t code, const void* in, uint32_t inSize, void* out,
                 uint32_t outSize) override {
        return driver_.Answer(port_, code, in, inSize, out, outSize);
    }

private:
    SimulatedDriver& driver_;
    Port port_;
};

class SimulatedDriver::SimEnumeration final : public DeviceEnumeration {
public:
    explicit SimEnumeration(SimulatedDriver& driver) : driver_(driver) {}
    bool Detail(uint32_t index, LocalBuffer& record) override {
        ++driver_.detailQueries_;
        if (index >= driver_.ports_.size()) return false;
        const std::string& path = driver_.ports_[index].path;
        // Size field as on this bitness, then the terminated path.
        LocalBuffer detail(kPathOffset + path.size() + 1);
        if (!detail) return false;
        const DWORD cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        std::memcpy(detail.get(), &cbSize, sizeof cbSize);
        std::memcpy(detail.get() + kPathOffset, path.c_str(), path.size() + 1);
        record = std::move(detail);
        return true;
    }

private:
    SimulatedDriver& driver_;
};

PropertyRequest SimulatedDriver::Request::Header() const {
    PropertyRequest header{};
    if (input.size() >= sizeof header) std::memcpy(&header, input.data(), sizeof header);
    return header;
}

PropertyItem SimulatedDriver::Request::Item() const {
    PropertyItem item{};
    if (data.size() >= sizeof item) std::memcpy(&item, data.data(), sizeof item);
    return item;
}

SimulatedDriver::SimulatedDriver() { ports_.push_back(Port{kEffectsPath, true, true}); }

void SimulatedDriver::SetPorts(std::vector<Port> ports) { ports_ = std::move(ports); }

void SimulatedDriver::Unplug() {
    for (Port& port : ports_) {
        if (port.answersEffects) port.opens = false;
    }
}

void SimulatedDriver::Refuse(uint32_t property, uint32_t flags, std::optional<uint32_t> item) {
    refusals_.push_back(Refusal{property, flags, item});
}

int32_t SimulatedDriver::Item(uint32_t property, uint32_t item) const {
    auto p = items_.find(property);
    if (p == items_.end()) return 0;
    auto i = p->second.find(item);
    return i == p->second.end() ? 0 : i->second;
}

void SimulatedDriver::Poke(uint32_t property, uint32_t item, int32_t value) {
    items_[property][item] = value;
}

std::unique_ptr<DeviceEnumeration> SimulatedDriver::Enumerate(const GUID& interfaceClass) {
    if (refuseEnumeration_ || !IsEqualGUID(interfaceClass, kTopologyInterfaceClass)) return nullptr;
    return std::make_unique<SimEnumeration>(*this);
}

std::unique_ptr<Device> SimulatedDriver::Open(const char* path, uint32_t& error) {
    ++opens_;
    for (const Port& port : ports_) {
        if (port.path != path) continue;
        if (!port.opens) {
            error = port.openError;
            return nullptr;
        }
        return std::make_unique<SimDevice>(*this, port);
    }
    error = ERROR_FILE_NOT_FOUND;
    return nullptr;
}

bool SimulatedDriver::Refused(uint32_t property, uint32_t flags,
                              std::optional<uint32_t> item) const {
    for (const Refusal& r : refusals_) {
        if (r.property == property && r.flags == flags && (!r.item || r.item == item)) return true;
    }
    return false;
}

bool SimulatedDriver::Answer(const Port& port, uint32_t code, const void* in, uint32_t inSize,
                             void* out, uint32_t outSize) {
    Request logged;
    logged.path = port.path;
    logged.code = code;
    if (in) logged.input.assign(static_cast<const unsigned char*>(in),
                                static_cast<const unsigned char*>(in) + inSize);
    if (out) logged.data.assign(static_cast<unsigned char*>(out),
                                static_cast<unsigned char*>(out) + outSize);
    logged.dataSize = outSize;
    requests_.push_back(logged);

    PropertyRequest header{};
    if (!port.answersEffects || code != kPropertyRequestCode || !in ||
        inSize != sizeof header || !out) {
        return false;
    }
    std::memcpy(&header, in, sizeof header);
    if (!IsEqualGUID(header.set, kEffectsPropertySet) ||
        (header.flags != kRequestGet && header.flags != kRequestSet)) {
        return false;
    }

    bool answered = false;
    switch (header.id) {
    case kPropertyProbe:
        if (header.flags == kRequestGet && outSize >= kProbeSize &&
            !Refused(header.id, header.flags, std::nullopt)) {
            std::memset(out, 0, kProbeSize);
            answered = true;
        }
        break;
    case kPropertyEnvironment:
        if (outSize == sizeof(EnvironmentSettings) &&
            !Refused(header.id, header.flags, std::nullopt)) {
            if (header.flags == kRequestGet) {
                std::memcpy(out, &environment_, sizeof environment_);
            } else {
                std::memcpy(&environment_, out, sizeof environment_);
            }
            answered = true;
        }
        break;
    default:
        answered = AnswerItem(header.id, header.flags, out, outSize);
        break;
    }
    requests_.back().answered = answered;
    return answered;
}

bool SimulatedDriver::AnswerItem(uint32_t property, uint32_t flags, void* out, uint32_t outSize) {
    const ItemLayout* layout = LayoutOf(property);
    if (!layout || outSize != sizeof(PropertyItem)) return false;
    PropertyItem data;
    std::memcpy(&data, out, sizeof data);

    if (flags == kRequestGet) {
        auto selected = selection_.find(property);
        if (selected == selection_.end()) return false;
        if (Refused(property, flags, selected->second)) return false;
        data.selector = kReadSelection | selected->second;
        data.value = Item(property, selected->second);
        std::memcpy(out, &data, sizeof data);
        return true;
    }

    const uint32_t item = data.selector & ~kReadSelection;
    if (item >= layout->count || Refused(property, flags, item)) return false;
    if (data.selector & kReadSelection) {
        selection_[property] = item;
    } else {
        items_[property][item] = IsByteItem(*layout, item) ? (data.value & 0xFF) : data.value;
    }
    return true;
}

}  // namespace sonorel
