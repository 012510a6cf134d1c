#include "launcher/system/access_service.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

TEST(RemoveAccessService, ClosesOnlyAnOwnedHandleAndFailsQuietlyWithoutTheService) {
    HANDLE owned = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE borrowed = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DeviceHandleHolder holder;
    holder.Adopt(owned, true);
    EXPECT_FALSE(RemoveAccessService(holder));  // the test prefix has no "IoAC" service
    EXPECT_FALSE(IsOpen(owned));
    EXPECT_EQ(holder.Get(), nullptr);

    holder.Adopt(borrowed, false);
    RemoveAccessService(holder);
    EXPECT_FALSE(holder.Owns());
    EXPECT_TRUE(IsOpen(borrowed));
    ::CloseHandle(borrowed);
}

TEST(RemoveService, StopsAndDeletesAServiceOfTheTestPrefix) {
    const std::wstring name = L"TessalyTestSvc" + std::to_wstring(::GetCurrentProcessId());
    SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE created = ::CreateServiceW(
        manager, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
        SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, L"C:\\windows\\system32\\drivers\\none.sys",
        nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(created, nullptr) << ::GetLastError();
    ::CloseServiceHandle(created);

    EXPECT_TRUE(RemoveService(name.c_str()));  // not running: deleted all the same
    EXPECT_EQ(::OpenServiceW(manager, name.c_str(), SERVICE_QUERY_STATUS), nullptr);
    EXPECT_FALSE(RemoveService(name.c_str()));
    ::CloseServiceHandle(manager);
}

}  // namespace
}  // namespace tessaly
