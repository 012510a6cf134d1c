#include "transport.h"

#include <atomic>
#include <cstring>

#include "setupapi_transport.h"
#include "trace.h"

namespace sonorel {
namespace {

std::atomic<DeviceTransport*> g_installed{nullptr};

bool SendRequest(const EffectsHandle& handle, uint32_t id, uint32_t flags, void* data,
                 uint32_t size) {
    const bool write = flags == kRequestSet;
    const GUID* set = PropertySetForKind(handle.kind);
    if (!set || !handle.pathRecord) return false;
    const char* path = reinterpret_cast<const char*>(handle.pathRecord + kPathOffset);
    if (write) Trace("TaviAudioPropertySet", path);

    uint32_t error = 0;
    std::unique_ptr<Device> device = CurrentTransport().Open(path, error);
    if (!device) {
        Trace(write ? "TaviAudioPropertySet: CreateFile: " : "TaviAudioPropertyGet: CreateFile: ");
        return false;
    }
    const PropertyRequest request{*set, id, flags};
    const bool ok = device->Control(kPropertyRequestCode, &request, sizeof request, data, size);
    device.reset();
    if (!ok) {
        Trace(write ? "TaviAudioPropertySet: DeviceIoControl: "
                    : "TaviAudioPropertyGet: DeviceIoControl: ");
    }
    return ok;
}

}  // namespace

DeviceTransport& CurrentTransport() {
    DeviceTransport* installed = g_installed.load();
    return installed ? *installed : PlatformTransport();
}

void InstallTransport(DeviceTransport* transport) { g_installed.store(transport); }

const GUID* PropertySetForKind(uint32_t kind) {
    switch (kind) {
    case kKindEffects:
    case kKindEffectsAlias:
        return &kEffectsPropertySet;
    case kKindVendorSet:
        return &kVendorPropertySet;
    default:
        return nullptr;
    }
}

const char* PathOfRecord(const unsigned char* record, size_t size) {
    if (!record || size <= kPathOffset) return nullptr;
    const unsigned char* path = record + kPathOffset;
    if (!std::memchr(path, 0, size - kPathOffset)) return nullptr;
    return reinterpret_cast<const char*>(path);
}

bool FindDriver(const GUID& propertySet, LocalBuffer& slot) {
    if (slot) return true;
    Trace("start to enum");
    DeviceTransport& transport = CurrentTransport();
    std::unique_ptr<DeviceEnumeration> devices = transport.Enumerate(kTopologyInterfaceClass);
    if (!devices) return false;

    for (uint32_t index = 0; index < kMaxDevicesExamined; ++index) {
        LocalBuffer record;
        if (!devices->Detail(index, record)) break;
        // Requests later open this text blindly, so only a terminated path is worth keeping.
        const char* path = PathOfRecord(record.get(), record.size());
        if (!path) continue;

        uint32_t error = 0;
        std::unique_ptr<Device> device = transport.Open(path, error);
        if (!device) {
            if (error == ERROR_NO_MORE_ITEMS) break;
            continue;
        }
        const PropertyRequest probe{propertySet, kPropertyProbe, kRequestGet};
        unsigned char answer[kProbeSize] = {};
        const bool answered =
            device->Control(kPropertyRequestCode, &probe, sizeof probe, answer, sizeof answer);
        device.reset();
        if (answered) {
            slot = std::move(record);
            return true;
        }
    }
    return false;
}

bool PropertyWrite(const EffectsHandle& handle, uint32_t id, void* data, uint32_t size) {
    return SendRequest(handle, id, kRequestSet, data, size);
}

bool PropertyRead(const EffectsHandle& handle, uint32_t id, void* data, uint32_t size) {
    return SendRequest(handle, id, kRequestGet, data, size);
}

}  // namespace sonorel
