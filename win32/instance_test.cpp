#include "win32/instance.h"

#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, OnlyTheFirstClaimHoldsTheMarkerUntilItIsReleased) {
    const std::wstring name = L"win32_test_marker_" + std::to_wstring(::GetCurrentProcessId());
    win32::Handle first;
    ASSERT_EQ(win32::ClaimInstance(name, first), win32::InstanceClaim::First);
    EXPECT_TRUE(first);
    win32::Handle second;
    EXPECT_EQ(win32::ClaimInstance(name, second), win32::InstanceClaim::AlreadyRunning);
    EXPECT_FALSE(second);
    first.reset();
    EXPECT_EQ(win32::ClaimInstance(name, second), win32::InstanceClaim::First);
    second.reset();
    // A name the system refuses is a failure, not a running copy.
    win32::Handle bad;
    EXPECT_EQ(win32::ClaimInstance(L"no\\such\\namespace", bad), win32::InstanceClaim::Failed);
    EXPECT_FALSE(bad);

    // The scoped marker: one per name until the first one goes; another name is another marker.
    {
        win32::SingleInstance one(name);
        EXPECT_TRUE(one.first());
        win32::SingleInstance two(name);
        EXPECT_FALSE(two.first());
        EXPECT_EQ(two.claim(), win32::InstanceClaim::AlreadyRunning);
        win32::SingleInstance other(name + L"Renamed");
        EXPECT_TRUE(other.first());
    }
    win32::SingleInstance again(name);
    EXPECT_TRUE(again.first());
}

TEST(SingleInstance, MarkerIsNamedAfterTheExecutableAndPathsThatDoNotFitAreRefused) {
    EXPECT_EQ(win32::ApplicationName(), L"win32_test");
    auto full = win32::ModulePath();
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->substr(full->size() - 14), L"win32_test.exe");
    EXPECT_EQ(win32::ModulePath(nullptr, static_cast<DWORD>(full->size())), std::nullopt);
    EXPECT_EQ(win32::ModulePath(nullptr, static_cast<DWORD>(full->size() + 1)), full);
    EXPECT_EQ(win32::ModulePath(nullptr, 0), std::nullopt);
}

}  // namespace
