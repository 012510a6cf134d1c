#include "launcher/system/launch_ports.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

bool g_laterTimerRan = false;

void CALLBACK LaterTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_laterTimerRan = true;
}

TEST(LaunchPorts, ACancelledWindowWaitStepNeverRuns) {
    // A cancelled step never runs, even when due before a later timer.
    LaunchPorts system = SystemLaunchPorts();
    int ran = 0;
    int other = 0;
    system.schedule(&ran, 0, [&ran] { return ++ran, 0u; });
    system.cancelSchedule(&other);  // another owner's cancel leaves it alone
    system.schedule(&ran, 0, [&ran] { return ++ran, 0u; });
    system.cancelSchedule(&ran);
    g_laterTimerRan = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, LaterTimer);
    ASSERT_NE(timer, 0u);
    MSG msg;
    while (!g_laterTimerRan && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace tessaly
