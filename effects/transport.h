#pragma once
// Carries property requests to the audio driver. The platform half (device enumeration, open,
// DeviceIoControl) sits behind DeviceTransport so a simulated driver can stand in for it.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "effects_handle.h"
#include "local_buffer.h"

namespace sonorel {

// Kernel-streaming topology interfaces.
inline constexpr GUID kTopologyInterfaceClass = {
    0xDDA54A40, 0x1E4C, 0x11D1, {0xA0, 0x50, 0x40, 0x57, 0x05, 0xC1, 0x00, 0x00}};
inline constexpr GUID kEffectsPropertySet = {
    0xFD614B50, 0xFE24, 0x4971, {0xB8, 0xF4, 0xA1, 0xDE, 0x1B, 0xB0, 0x0B, 0xA1}};
inline constexpr GUID kVendorPropertySet = {
    0x51D0011F, 0xCC76, 0x4A8B, {0x90, 0x98, 0xD6, 0x37, 0xD4, 0x4B, 0x60, 0xCD}};

// Kernel-streaming property request: device type 0x2F, function 0, method neither, any access.
constexpr uint32_t kPropertyRequestCode = 0x2F0003;
constexpr uint32_t kRequestGet = 1;
constexpr uint32_t kRequestSet = 2;

// The 24-byte request header.
struct PropertyRequest {
    GUID set;
    uint32_t id;
    uint32_t flags;
};
static_assert(sizeof(PropertyRequest) == 24);

constexpr uint32_t kProbeSize = 12;
// The search gives up after this many devices.
constexpr uint32_t kMaxDevicesExamined = 16;

// One open device; the destructor closes it.
class Device {
public:
    virtual ~Device() = default;
    // One DeviceIoControl; true when the platform reports success.
    virtual bool Control(uint32_t code, const void* in, uint32_t inSize, void* out,
                         uint32_t outSize) = 0;
};

// The present devices exposing one interface class.
class DeviceEnumeration {
public:
    virtual ~DeviceEnumeration() = default;
    // The interface detail record of device `index`, sized exactly as the platform reported.
    // False when there is no such device or the platform failed; either ends the search.
    virtual bool Detail(uint32_t index, LocalBuffer& record) = 0;
};

class DeviceTransport {
public:
    virtual ~DeviceTransport() = default;
    // Null when the platform cannot list the devices.
    virtual std::unique_ptr<DeviceEnumeration> Enumerate(const GUID& interfaceClass) = 0;
    // Opens a device path for requests; null on failure, with the platform's error code.
    virtual std::unique_ptr<Device> Open(const char* path, uint32_t& error) = 0;
};

// The transport every request goes through: the platform's unless one was installed.
DeviceTransport& CurrentTransport();
// Null restores the platform's transport.
void InstallTransport(DeviceTransport* transport);

// Installs a transport for the life of a scope.
class ScopedTransport {
public:
    explicit ScopedTransport(DeviceTransport& transport) { InstallTransport(&transport); }
    ~ScopedTransport() { InstallTransport(nullptr); }
    ScopedTransport(const ScopedTransport&) = delete;
    ScopedTransport& operator=(const ScopedTransport&) = delete;
};

// The property set a handle kind addresses; null for unknown kinds.
const GUID* PropertySetForKind(uint32_t kind);

// The path text of a detail record, or null if the record holds no terminated path.
const char* PathOfRecord(const unsigned char* record, size_t size);

// Fills an empty slot with a copy of the first topology interface record whose device
// answers the probe on `propertySet`. A filled slot is kept as it is.
bool FindDriver(const GUID& propertySet, LocalBuffer& slot);

// One set or get request on the handle's device; `data` is the request's output buffer.
bool PropertyWrite(const EffectsHandle& handle, uint32_t id, void* data, uint32_t size);
bool PropertyRead(const EffectsHandle& handle, uint32_t id, void* data, uint32_t size);

}  // namespace sonorel
