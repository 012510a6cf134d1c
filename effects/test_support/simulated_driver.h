#pragma once
// A stand-in for the audio driver: topology interfaces that enumerate, open and answer the
// effects property set the way the real driver does, and a log of the raw requests it got.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "transport.h"

namespace sonorel {

class SimulatedDriver final : public DeviceTransport {
public:
    static constexpr const char* kEffectsPath = "\\\\?\\root#media#0000#{topology}\\effects";

    // One topology interface on the machine.
    struct Port {
        std::string path;
        bool opens = true;
        bool answersEffects = false;
        uint32_t openError = ERROR_FILE_NOT_FOUND;
    };

    // One request as it arrived, before the driver touched the data buffer.
    struct Request {
        std::string path;
        uint32_t code = 0;
        std::vector<unsigned char> input;
        std::vector<unsigned char> data;
        uint32_t dataSize = 0;
        bool answered = false;

        PropertyRequest Header() const;
        PropertyItem Item() const;
    };

    // Starts with one effects device at kEffectsPath.
    SimulatedDriver();

    void SetPorts(std::vector<Port> ports);
    // No topology interface at all.
    void RemoveAll() { ports_.clear(); }
    // The platform refuses to list the devices.
    void RefuseEnumeration(bool refuse) { refuseEnumeration_ = refuse; }
    // The effects device stays listed but can no longer be opened.
    void Unplug();

    // Refuses the matching requests: flags 1 (get) or 2 (set), and an item if given (for gets,
    // the selected one).
    void Refuse(uint32_t property, uint32_t flags, std::optional<uint32_t> item = std::nullopt);
    void ClearRefusals() { refusals_.clear(); }

    // Raw register contents, bypassing the byte masking of writes.
    int32_t Item(uint32_t property, uint32_t item) const;
    void Poke(uint32_t property, uint32_t item, int32_t value);
    EnvironmentSettings Environment() const { return environment_; }
    void SetEnvironment(EnvironmentSettings settings) { environment_ = settings; }

    const std::vector<Request>& Requests() const { return requests_; }
    void ClearRequests() { requests_.clear(); }
    int DetailQueries() const { return detailQueries_; }
    int Opens() const { return opens_; }

    std::unique_ptr<DeviceEnumeration> Enumerate(const GUID& interfaceClass) override;
    std::unique_ptr<Device> Open(const char* path, uint32_t& error) override;

private:
    class SimDevice;
    class SimEnumeration;
    struct Refusal {
        uint32_t property;
        uint32_t flags;
        std::optional<uint32_t> item;
    };

    bool Answer(const Port& port, uint32_t code, const void* in, uint32_t inSize, void* out,
                uint32_t outSize);
    bool AnswerItem(uint32_t property, uint32_t flags, void* out, uint32_t outSize);
    bool Refused(uint32_t property, uint32_t flags, std::optional<uint32_t> item) const;

    std::vector<Port> ports_;
    bool refuseEnumeration_ = false;
    std::vector<Refusal> refusals_;
    std::map<uint32_t, std::map<uint32_t, int32_t>> items_;
    std::map<uint32_t, uint32_t> selection_;
    EnvironmentSettings environment_{0, 0};
    std::vector<Request> requests_;
    int detailQueries_ = 0;
    int opens_ = 0;
};

}  // namespace sonorel
