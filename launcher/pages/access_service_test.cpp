#include "launcher/pages/access_service.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

TEST(RemoveAccessService, ClosesAnOwnedHandleAndFailsQuietlyWithoutTheService) {
    DeviceHandleHolder holder;
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    holder.Adopt(event, true);
    // The test prefix has no "IoAC" service.
    EXPECT_FALSE(RemoveAccessService(holder));
    EXPECT_FALSE(IsOpen(event));
    EXPECT_EQ(holder.Get(), nullptr);
    EXPECT_FALSE(holder.Owns());
}

TEST(RemoveAccessService, LeavesAHandleItDoesNotOwnOpen) {
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    {
        DeviceHandleHolder holder;
        holder.Adopt(event, false);
        RemoveAccessService(holder);
        EXPECT_EQ(holder.Get(), nullptr);
        EXPECT_TRUE(IsOpen(event));
        holder.Adopt(event, false);
    }
    EXPECT_TRUE(IsOpen(event));  // nor does the destructor close it
    ::CloseHandle(event);

    DeviceHandleHolder empty;
    EXPECT_FALSE(RemoveAccessService(empty));  // nothing to close is fine
}

TEST(RemoveAccessService, HolderClosesAnOwnedHandleWhenDestroyed) {
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    { DeviceHandleHolder holder; holder.Adopt(event, true); }
    EXPECT_FALSE(IsOpen(event));
}

TEST(RemoveService, DeletesAStoppedServiceOfTheTestPrefix) {
    const std::wstring name = L"TessalyTestSvc" + std::to_wstring(::GetCurrentProcessId());
    SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE created = ::CreateServiceW(manager, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                         SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START,
                                         SERVICE_ERROR_IGNORE,
                                         L"C:\\windows\\system32\\drivers\\none.sys", nullptr,
                                         nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(created, nullptr) << ::GetLastError();
    ::CloseServiceHandle(created);

    EXPECT_TRUE(RemoveService(name.c_str()));
    SC_HANDLE after = ::OpenServiceW(manager, name.c_str(), SERVICE_QUERY_STATUS);
    EXPECT_EQ(after, nullptr);
    if (after) {
        ::DeleteService(after);
        ::CloseServiceHandle(after);
    }
    EXPECT_FALSE(RemoveService(name.c_str()));
    ::CloseServiceHandle(manager);
}

}  // namespace
}  // namespace tessaly
