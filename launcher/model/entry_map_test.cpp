#include "launcher/model/entry_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace tessaly {
namespace {

// The hash written as a polynomial: sum of unit * 33^(n-1-i), modulo 2^32.
std::uint32_t ReferenceHash(const std::wstring& key) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
        std::uint64_t term = static_cast<std::uint16_t>(key[i]);
        for (std::size_t k = i + 1; k < key.size(); ++k) term = term * 33 % (1ull << 32);
        sum = (sum + term) % (1ull << 32);
    }
    return static_cast<std::uint32_t>(sum);
}

std::vector<std::wstring> Names(const EntryMap& map) {
    std::vector<std::wstring> out;
    for (const LaunchEntry& e : map) out.push_back(e.name);
    return out;
}

TEST(EntryMap, HashMatchesAnIndependentComputation) {
    EXPECT_EQ(EntryMap::Hash(L"ab"), 97u * 33 + 98);
    for (const std::wstring key : {L"Solitaire", L"\u4E2D\u6587\u6E38\u620F",
                                   L"a long program name that wraps the hash more than once"}) {
        EXPECT_EQ(EntryMap::Hash(key), ReferenceHash(key));
    }
}

TEST(EntryMap, IteratesByBucketThenNewestFirstIncludingCollisions) {
    for (std::size_t buckets : {EntryMap::kPageBuckets, EntryMap::kChoiceBuckets}) {
        std::vector<std::wstring> names;
        for (int i = 0; i < 120; ++i) names.push_back(L"Program " + std::to_wstring(i * 7 % 120));
        EntryMap map(buckets);
        for (const auto& n : names) map.Set(n, n + L".exe");

        std::vector<std::size_t> order(names.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const auto ba = ReferenceHash(names[a]) % buckets, bb = ReferenceHash(names[b]) % buckets;
            return ba != bb ? ba < bb : a > b;
        });
        std::vector<std::wstring> expected;
        for (std::size_t i : order) expected.push_back(names[i]);
        // 120 names in at most 51 buckets must collide.
        EXPECT_EQ(Names(map), expected) << buckets;
        EXPECT_EQ(map.Size(), names.size());
    }
}

TEST(EntryMap, ReplacingATargetKeepsThePlace) {
    const std::wstring first = L"a", second = L"\u0094";  // 97 and 148: both bucket 46 of 51
    EntryMap map;
    map.Set(first, L"one");
    map.Set(L"Zeta", L"x");
    map.Set(second, L"two");
    const std::vector<std::wstring> before = Names(map);
    EXPECT_EQ(before, (std::vector<std::wstring>{L"Zeta", second, first}));
    map.Set(first, L"three");
    EXPECT_EQ(Names(map), before);
    EXPECT_EQ(*map.Find(first), L"three");
    map.Clear();
    EXPECT_EQ(map.begin(), map.end());
    EXPECT_EQ(map.Find(first), nullptr);
}

}  // namespace
}  // namespace tessaly
