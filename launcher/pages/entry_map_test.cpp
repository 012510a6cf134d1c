#include "launcher/pages/entry_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {
namespace {

// The same hash written as a polynomial, sum of unit * 33^(n-1-i) modulo 2^32.
std::uint32_t ReferenceHash(const std::wstring& key) {
    const std::uint64_t modulus = std::uint64_t{1} << 32;
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
        std::uint64_t term = static_cast<std::uint16_t>(key[i]);
        for (std::size_t k = i + 1; k < key.size(); ++k) term = term * 33 % modulus;
        sum = (sum + term) % modulus;
    }
    return static_cast<std::uint32_t>(sum);
}

// Bucket ascending; within a bucket the later insertion first.
std::vector<std::wstring> ExpectedOrder(const std::vector<std::wstring>& inserted,
                                        std::size_t buckets) {
    std::vector<std::size_t> index(inserted.size());
    for (std::size_t i = 0; i < index.size(); ++i) index[i] = i;
    std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) {
        const auto ba = ReferenceHash(inserted[a]) % buckets;
        const auto bb = ReferenceHash(inserted[b]) % buckets;
        return ba != bb ? ba < bb : a > b;
    });
    std::vector<std::wstring> out;
    for (std::size_t i : index) out.push_back(inserted[i]);
    return out;
}

std::vector<std::wstring> Names(const EntryMap& map) {
    std::vector<std::wstring> out;
    for (const LaunchEntry& e : map) out.push_back(e.name);
    return out;
}

TEST(EntryMap, HashIsTimesThirtyThreePlusUnitWrappingAt32Bits) {
    EXPECT_EQ(EntryMap::Hash(L""), 0u);
    EXPECT_EQ(EntryMap::Hash(L"a"), 97u);
    EXPECT_EQ(EntryMap::Hash(L"ab"), 97u * 33 + 98);
    for (const std::wstring key : {L"Solitaire", L"Internet Explorer", L"\u4E2D\u6587\u6E38\u620F",
                                   L"a very long program name that wraps the hash twice over"}) {
        EXPECT_EQ(EntryMap::Hash(key), ReferenceHash(key)) << key.size();
    }
}

TEST(EntryMap, IteratesByBucketThenNewestFirstIncludingCollisions) {
    for (std::size_t buckets : {EntryMap::kPageBuckets, EntryMap::kChoiceBuckets}) {
        std::vector<std::wstring> names;
        for (int i = 0; i < 120; ++i) names.push_back(L"Program " + std::to_wstring(i * 7 % 120));
        EntryMap map(buckets);
        for (const auto& n : names) map.Set(n, L"C:\\" + n + L".exe");

        // The list is long enough that several names share a bucket.
        std::vector<int> perBucket(buckets);
        for (const auto& n : names) ++perBucket[ReferenceHash(n) % buckets];
        ASSERT_GT(*std::max_element(perBucket.begin(), perBucket.end()), 1);

        EXPECT_EQ(map.Size(), names.size());
        EXPECT_EQ(Names(map), ExpectedOrder(names, buckets)) << buckets;
    }
}

TEST(EntryMap, ReplacingATargetKeepsThePlace) {
    // "a" and "\u0094" (97 + 51) share bucket 46 of 51.
    const std::wstring first = L"a", second = L"\u0094", other = L"Zeta";
    ASSERT_EQ(ReferenceHash(first) % 51, ReferenceHash(second) % 51);
    EntryMap map;
    map.Set(first, L"one");
    map.Set(other, L"x");
    map.Set(second, L"two");
    const std::vector<std::wstring> before = Names(map);
    map.Set(first, L"three");
    EXPECT_EQ(Names(map), before);
    EXPECT_EQ(map.Size(), 3u);
    ASSERT_NE(map.Find(first), nullptr);
    EXPECT_EQ(*map.Find(first), L"three");
    EXPECT_EQ(before, ExpectedOrder({first, other, second}, 51));

    map.Clear();
    EXPECT_TRUE(map.Empty());
    EXPECT_EQ(map.begin(), map.end());
    EXPECT_EQ(map.Find(first), nullptr);
}

}  // namespace
}  // namespace tessaly
