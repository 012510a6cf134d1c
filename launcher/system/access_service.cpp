#include "launcher/system/access_service.h"

#include "win32/handles.h"

namespace tessaly {

using win32::ServiceHandle;

void DeviceHandleHolder::Adopt(HANDLE handle, bool owned) {
    Close();
    handle_ = handle;
    owned_ = owned;
}

void DeviceHandleHolder::Close() {
    if (owned_ && handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = nullptr;
    owned_ = false;
}

bool RemoveService(const wchar_t* serviceName) {
    ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, GENERIC_WRITE));
    if (!manager) return false;
    ServiceHandle service(::OpenServiceW(manager.get(), serviceName, SERVICE_ALL_ACCESS));
    if (!service) return false;
    SERVICE_STATUS status{};
    if (!::ControlService(service.get(), SERVICE_CONTROL_STOP, &status) &&
        ::GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
        return false;
    }
    return ::DeleteService(service.get()) != FALSE;
}

bool RemoveAccessService(DeviceHandleHolder& holder) {
    holder.Close();
    return RemoveService(L"IoAC");
}

}  // namespace tessaly
