#pragma once
// Teardown of the access driver's service when the main window closes.
#include <windows.h>

namespace tessaly {

// A device handle that may or may not be ours to close.
class DeviceHandleHolder {
public:
    DeviceHandleHolder() = default;
    ~DeviceHandleHolder() { Close(); }
    DeviceHandleHolder(const DeviceHandleHolder&) = delete;
    DeviceHandleHolder& operator=(const DeviceHandleHolder&) = delete;

    // Takes `handle`; it is closed later only when `owned`.
    void Adopt(HANDLE handle, bool owned);
    // Closes the handle when it is owned and not empty, then forgets it either way.
    void Close();

    HANDLE Get() const { return handle_; }
    bool Owns() const { return owned_; }

private:
    bool owned_ = false;
    HANDLE handle_ = nullptr;
};

// Closes the holder's handle, then stops and deletes the "IoAC" service. True only when the
// service was opened and deleted; a missing service or manager is not an error to report.
bool RemoveAccessService(DeviceHandleHolder& holder);

// Stops (when running) and deletes one service of the local machine.
bool RemoveService(const wchar_t* serviceName);

}  // namespace tessaly
