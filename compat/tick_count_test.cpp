#include "compat/tick_count.h"

#include <gtest/gtest.h>

namespace tessaly::compat {
namespace {

TEST(TickCount, CounterConversionIsExactAndNeverOverflows) {
    EXPECT_EQ(CounterToMilliseconds(0, 10'000'000), 0u);
    EXPECT_EQ(CounterToMilliseconds(9'999, 10'000'000), 0u);
    EXPECT_EQ(CounterToMilliseconds(10'000, 10'000'000), 1u);
    EXPECT_EQ(CounterToMilliseconds(25'000'000, 10'000'000), 2'500u);
    EXPECT_EQ(CounterToMilliseconds(3'579'545, 3'579'545), 1'000u);
    // A counter near its top: counter * 1000 would wrap.
    const ULONGLONG big = 0x7fff'ffff'ffff'ffffULL;
    EXPECT_EQ(CounterToMilliseconds(big, 1'000'000'000), big / 1'000'000);
    EXPECT_EQ(CounterToMilliseconds(big, 0), 0u);
}

TEST(TickCount, EverySourceRunsWithTheSystemClock) {
    // ::GetTickCount64 goes through the import slot this test links, as the thread runtime does.
    const ULONGLONG a0 = TickCount64();
    const ULONGLONG b0 = TickCountWithoutKernel64();
    const ULONGLONG c0 = ::GetTickCount64();
    ::Sleep(200);
    const ULONGLONG a = TickCount64() - a0;
    const ULONGLONG b = TickCountWithoutKernel64() - b0;
    const ULONGLONG c = ::GetTickCount64() - c0;
    EXPECT_GE(c, 150u);
    EXPECT_LT(c, 5000u);
    EXPECT_GE(a, 150u);
    EXPECT_LT(a, 5000u);
    EXPECT_GE(b, 150u);
    EXPECT_LT(b, 5000u);
}

}  // namespace
}  // namespace tessaly::compat
