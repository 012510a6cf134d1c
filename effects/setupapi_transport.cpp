#include "setupapi_transport.h"

#include <setupapi.h>

#include <new>

#include "trace.h"

namespace sonorel {
namespace {

constexpr const char* kAllocText = "GetDeviceInterfaceDetail: LocalAlloc: ";
constexpr const char* kInstanceIdText = "GetDeviceInterfaceDetail: SetupDiGetDeviceInstanceId: ";
constexpr const char* kClassDevsText = "GetDeviceInterfaceDetail: SetupDiGetClassDevs: ";
constexpr const char* kEnumInterfacesText =
    "GetDeviceInterfaceDetail: SetupDiEnumDeviceInterfaces: ";
constexpr const char* kDetailText = "GetDeviceInterfaceDetail: SetupDiGetDeviceInterfaceDetail: ";

class DeviceInfoList {
public:
    explicit DeviceInfoList(HDEVINFO list) : list_(list) {}
    ~DeviceInfoList() { Reset(); }
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;

    HDEVINFO get() const { return list_; }
    explicit operator bool() const { return list_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (list_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(list_);
        list_ = INVALID_HANDLE_VALUE;
    }

private:
    HDEVINFO list_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr DWORD kPresentInterfaces = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
static_assert(kPresentInterfaces == 0x12);

class PlatformDevice final : public Device {
public:
    explicit PlatformDevice(HANDLE handle) : file_(handle) {}
    bool Control(uint32_t code, const void* in, uint32_t inSize, void* out,
                 uint32_t outSize) override {
        DWORD returned = 0;
        return DeviceIoControl(file_.get(), code, const_cast<void*>(in), inSize, out, outSize,
                               &returned, nullptr) != FALSE;
    }

private:
    FileHandle file_;
};

class PlatformEnumeration final : public DeviceEnumeration {
public:
    PlatformEnumeration(HDEVINFO devices, const GUID& interfaceClass)
        : devices_(devices), class_(interfaceClass) {}

    bool Detail(uint32_t index, LocalBuffer& record) override {
        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof info;
        if (!SetupDiEnumDeviceInfo(devices_.get(), index, &info)) return false;

        DWORD idSize = 0;
        if (SetupDiGetDeviceInstanceIdA(devices_.get(), &info, nullptr, 0, &idSize) ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER || idSize == 0) {
            Trace(kInstanceIdText);
            return false;
        }
        LocalBuffer instanceId(idSize);
        if (!instanceId) {
            Trace(kAllocText);
            return false;
        }
        char* id = reinterpret_cast<char*>(instanceId.get());
        if (!SetupDiGetDeviceInstanceIdA(devices_.get(), &info, id, idSize, nullptr)) {
            Trace(kInstanceIdText);
            return false;
        }

        DeviceInfoList one(SetupDiGetClassDevsA(&class_, id, nullptr, kPresentInterfaces));
        instanceId.Reset();
        if (!one) {
            Trace(kClassDevsText);
            return false;
        }

        SP_DEVICE_INTERFACE_DATA iface{};
        iface.cbSize = sizeof iface;
        if (!SetupDiEnumDeviceInterfaces(one.get(), nullptr, &class_, 0, &iface)) {
            if (GetLastError() != ERROR_NO_MORE_ITEMS) Trace(kEnumInterfacesText);
            return false;
        }

        DWORD detailSize = 0;
        if (SetupDiGetDeviceInterfaceDetailA(one.get(), &iface, nullptr, 0, &detailSize,
                                             nullptr) ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER || detailSize == 0) {
            Trace(kDetailText);
            return false;
        }
        LocalBuffer detail(detailSize);
        if (!detail) {
            Trace(kAllocText);
            return false;
        }
        auto* data = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detail.get());
        // The size field holds the fixed part's size for this bitness (8 on 64-bit, 5 on 32-bit).
        data->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        if (!SetupDiGetDeviceInterfaceDetailA(one.get(), &iface, data, detailSize, nullptr,
                                              nullptr)) {
            Trace(kDetailText);
            return false;
        }
        one.Reset();
        Trace(data->DevicePath);
        record = std::move(detail);
        return true;
    }

private:
    DeviceInfoList devices_;
    GUID class_;
};

class PlatformTransportImpl final : public DeviceTransport {
public:
    std::unique_ptr<DeviceEnumeration> Enumerate(const GUID& interfaceClass) override {
        HDEVINFO devices = SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr,
                                                kPresentInterfaces);
        if (devices == INVALID_HANDLE_VALUE) return nullptr;
        auto* enumeration = new (std::nothrow) PlatformEnumeration(devices, interfaceClass);
        if (!enumeration) SetupDiDestroyDeviceInfoList(devices);
        return std::unique_ptr<DeviceEnumeration>(enumeration);
    }

    std::unique_ptr<Device> Open(const char* path, uint32_t& error) override {
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return nullptr;
        }
        auto* device = new (std::nothrow) PlatformDevice(file);
        if (!device) {
            CloseHandle(file);
            error = ERROR_NOT_ENOUGH_MEMORY;
        }
        return std::unique_ptr<Device>(device);
    }
};

}  // namespace

DeviceTransport& PlatformTransport() {
    static PlatformTransportImpl transport;
    return transport;
}

}  // namespace sonorel
