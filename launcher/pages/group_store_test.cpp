#include "launcher/pages/group_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/handles.h"

namespace tessaly {
namespace {

// Each test works under a key of its own below HKCU\Software\TessalyTest, deleted afterwards.
class GroupStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = L"Software\\TessalyTest\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
        store.SetGroupKey(base + L"\\group5");
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TessalyTest");  // only when empty
    }
    win32::RegKey Raw() const {
        win32::RegKey key;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, store.GroupKey().c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    void RawSet(const std::wstring& name, DWORD type, const void* data, DWORD bytes) const {
        ASSERT_EQ(::RegSetValueExW(Raw().get(), name.empty() ? nullptr : name.c_str(), 0, type,
                                   static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }
    bool KeyExists() const {
        win32::RegKey key;
        return ::RegOpenKeyExW(HKEY_CURRENT_USER, store.GroupKey().c_str(), 0, KEY_READ,
                               key.put()) == ERROR_SUCCESS;
    }
    std::vector<LaunchEntry> Read(std::size_t max = GroupStore::kMaxValues) const {
        EntryMap map;
        map.Set(L"stale", L"left over");
        store.ReadGroup(map, max);
        return {map.begin(), map.end()};
    }
    static std::vector<std::wstring> NamesOf(const std::vector<LaunchEntry>& entries) {
        std::vector<std::wstring> out;
        for (const auto& e : entries) out.push_back(e.name);
        return out;
    }

    static inline int counter = 0;
    std::wstring base;
    GroupStore store;
};

TEST(GroupStoreKey, GroupNumberInDecimal) {
    EXPECT_EQ(GroupStore::KeyPathFor(5), L"Software\\Tessaly\\group5");
    EXPECT_EQ(GroupStore::KeyPathFor(7), L"Software\\Tessaly\\group7");
}

TEST_F(GroupStoreTest, MissingKeyReadsEmptyAndExistsAfterwards) {
    ASSERT_FALSE(KeyExists());
    EXPECT_TRUE(Read().empty());
    EXPECT_TRUE(KeyExists());
}

TEST_F(GroupStoreTest, EntryIsStoredAsTwoHundredFiftySixBytesOfString) {
    ASSERT_TRUE(store.WriteEntry(L"Notepad", L"C:\\windows\\notepad.exe"));
    BYTE data[400];
    std::fill(std::begin(data), std::end(data), BYTE{0xAB});
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(::RegQueryValueExW(Raw().get(), L"Notepad", nullptr, &type, data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(size, 256u);
    const std::wstring target = L"C:\\windows\\notepad.exe";
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data), target.size()), target);
    EXPECT_TRUE(std::all_of(data + target.size() * 2, data + 256, [](BYTE b) { return b == 0; }));

    const auto entries = Read();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, L"Notepad");
    EXPECT_EQ(entries[0].target, target);
}

TEST_F(GroupStoreTest, WritingAnExistingNameReplacesItsTarget) {
    store.WriteEntry(L"Game", L"C:\\old.exe");
    store.WriteEntry(L"Game", L"C:\\new.exe");
    const auto entries = Read();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].target, L"C:\\new.exe");
}

TEST_F(GroupStoreTest, TargetsThatWouldLoseTheirTerminatorAreRefused) {
    const std::wstring longest(127, L'x');
    EXPECT_TRUE(store.WriteEntry(L"fits", longest));
    ASSERT_TRUE(store.WriteEntry(L"kept", L"C:\\kept.exe"));
    EXPECT_FALSE(store.WriteEntry(L"kept", std::wstring(128, L'y')));
    EXPECT_FALSE(store.WriteEntry(L"", L"C:\\nameless.exe"));
    EntryMap map;
    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 2u);
    ASSERT_TRUE(map.Find(L"fits") && map.Find(L"kept"));
    EXPECT_EQ(*map.Find(L"fits"), longest);
    EXPECT_EQ(*map.Find(L"kept"), L"C:\\kept.exe");
}

TEST_F(GroupStoreTest, ReadsOnlyTheFirstFiftyValuesByIndex) {
    for (int i = 0; i < 60; ++i) store.WriteEntry(L"entry" + std::to_wstring(i), L"t");
    std::vector<std::wstring> firstFifty;
    wchar_t name[64];
    for (DWORD i = 0; i < 50; ++i) {
        DWORD length = 64;
        ASSERT_EQ(::RegEnumValueW(Raw().get(), i, name, &length, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
        firstFifty.emplace_back(name, length);
    }
    std::sort(firstFifty.begin(), firstFifty.end());
    auto names = NamesOf(Read());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, firstFifty);
    EXPECT_EQ(Read(10).size(), 10u);
}

TEST_F(GroupStoreTest, ValuesWrittenByOtherToolsNeverReadPastTheBuffer) {
    store.WriteEntry(L"1 short", L"a.exe");
    store.WriteEntry(L"2 long", std::wstring(120, L'L'));
    std::vector<wchar_t> full(128, L'F');  // 256 bytes, no terminator
    RawSet(L"3 full", REG_SZ, full.data(), 256);
    std::vector<wchar_t> oversized(150, L'O');  // does not fit: skipped
    RawSet(L"4 oversized", REG_SZ, oversized.data(), 300);
    const DWORD number = 0x00410041;
    RawSet(L"5 dword", REG_DWORD, &number, sizeof number);
    const wchar_t odd[] = L"ab";
    RawSet(L"6 odd", REG_SZ, odd, 5);
    const wchar_t expand[] = L"%SystemRoot%\\x.exe";
    RawSet(L"7 expand", REG_EXPAND_SZ, expand, sizeof expand);
    RawSet(L"", REG_SZ, L"default", 16);  // the key's unnamed value
    RawSet(L"8 after", REG_SZ, L"z.exe", 12);

    EntryMap map;
    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 6u);
    auto target = [&](const wchar_t* name) {
        const std::wstring* t = map.Find(name);
        return t ? *t : std::wstring(L"<missing>");
    };
    EXPECT_EQ(target(L"1 short"), L"a.exe");
    EXPECT_EQ(target(L"2 long"), std::wstring(120, L'L'));
    EXPECT_EQ(target(L"3 full"), std::wstring(128, L'F'));
    EXPECT_EQ(target(L"6 odd"), L"ab");
    EXPECT_EQ(target(L"7 expand"), expand);
    EXPECT_EQ(target(L"8 after"), L"z.exe");
    EXPECT_FALSE(map.Contains(L"4 oversized"));
    EXPECT_FALSE(map.Contains(L"5 dword"));
    EXPECT_FALSE(map.Contains(L""));
}

TEST_F(GroupStoreTest, LongValueNamesDoNotHideTheValuesAfterThem) {
    const std::wstring longName(300, L'N');
    store.WriteEntry(L"before", L"b.exe");
    store.WriteEntry(longName, L"n.exe");
    store.WriteEntry(L"after", L"a.exe");
    EntryMap map;
    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 3u);
    EXPECT_TRUE(map.Contains(longName));
    EXPECT_TRUE(map.Contains(L"after"));
}

TEST_F(GroupStoreTest, DeleteRemovesOneEntryAndIgnoresMissingNames) {
    store.WriteEntry(L"keep", L"k.exe");
    store.WriteEntry(L"drop", L"d.exe");
    EXPECT_TRUE(store.DeleteEntry(L"drop"));
    EXPECT_TRUE(store.DeleteEntry(L"never stored"));
    RawSet(L"", REG_SZ, L"default", 16);
    EXPECT_FALSE(store.DeleteEntry(L""));
    const auto entries = Read();
    EXPECT_EQ(NamesOf(entries), std::vector<std::wstring>{L"keep"});
    DWORD size = 0;
    EXPECT_EQ(::RegQueryValueExW(Raw().get(), nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
}

TEST_F(GroupStoreTest, EntriesComeOutInHashOrderNotInWritingOrder) {
    // Buckets of 51, worked out by hand: "Doom" 7, "Chess" 13, "Zork" 14, "a" and "\u0094" 46.
    const std::vector<std::pair<std::wstring, int>> written = {
        {L"Zork", 14}, {L"a", 46}, {L"Doom", 7}, {L"\u0094", 46}, {L"Chess", 13}};
    for (const auto& [name, bucket] : written) store.WriteEntry(name, name + L".exe");

    // Within a bucket the name enumerated later comes first.
    std::vector<std::pair<int, int>> order;  // bucket, -enumeration index
    std::vector<std::wstring> enumerated;
    wchar_t name[16];
    for (DWORD i = 0;; ++i) {
        DWORD length = 16;
        if (::RegEnumValueW(Raw().get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        enumerated.emplace_back(name, length);
    }
    ASSERT_EQ(enumerated.size(), written.size());
    std::vector<std::wstring> expected = enumerated;
    auto bucketOf = [&](const std::wstring& n) {
        return std::find_if(written.begin(), written.end(), [&](auto& w) { return w.first == n; })
            ->second;
    };
    auto indexOf = [&](const std::wstring& n) {
        return std::find(enumerated.begin(), enumerated.end(), n) - enumerated.begin();
    };
    std::sort(expected.begin(), expected.end(), [&](const auto& x, const auto& y) {
        return bucketOf(x) != bucketOf(y) ? bucketOf(x) < bucketOf(y) : indexOf(x) > indexOf(y);
    });
    EXPECT_EQ(NamesOf(Read()), expected);
    EXPECT_EQ(expected.front(), L"Doom");
}

}  // namespace
}  // namespace tessaly
