#include "launcher/system/group_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "win32/handles.h"

namespace tessaly {
namespace {

// Each test works under a key of its own below HKCU\Software\TessalyTest, deleted afterwards.
class GroupStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        base = L"Software\\TessalyTest\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
        store.SetGroupKey(base + L"\\group5");
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TessalyTest");  // only once empty
    }
    win32::RegKey Raw() const {
        win32::RegKey key;
        ::RegOpenKeyExW(HKEY_CURRENT_USER, store.GroupKey().c_str(), 0, KEY_ALL_ACCESS, key.put());
        return key;
    }
    void RawSet(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const {
        win32::RegKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, store.GroupKey().c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
    }
    std::wstring Target(const wchar_t* name) const {
        const std::wstring* t = map.Find(name);
        return t ? *t : L"<none>";
    }
    std::wstring base;
    GroupStore store;
    EntryMap map;
};

TEST_F(GroupStoreTest, EntryIsAStringOfExactlyTwoHundredFiftySixBytes) {
    EXPECT_EQ(GroupStore::KeyPathFor(5), L"Software\\Tessaly\\group5");
    ASSERT_FALSE(Raw());
    store.ReadGroup(map);
    EXPECT_TRUE(map.Empty());
    EXPECT_TRUE(Raw());  // reading created the key

    ASSERT_TRUE(store.WriteEntry(L"Notepad", L"C:\\old.exe"));
    ASSERT_TRUE(store.WriteEntry(L"Notepad", L"C:\\notepad.exe"));
    BYTE data[400];
    std::fill(std::begin(data), std::end(data), BYTE{0xAB});
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(::RegQueryValueExW(Raw().get(), L"Notepad", nullptr, &type, data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(size, 256u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data)), L"C:\\notepad.exe");
    EXPECT_TRUE(std::all_of(data + 28, data + 256, [](BYTE b) { return b == 0; }));

    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 1u);
    EXPECT_EQ(Target(L"Notepad"), L"C:\\notepad.exe");
}

TEST_F(GroupStoreTest, TargetsThatWouldLoseTheirTerminatorAreRefused) {
    EXPECT_TRUE(store.WriteEntry(L"fits", std::wstring(127, L'x')));
    ASSERT_TRUE(store.WriteEntry(L"kept", L"C:\\kept.exe"));
    EXPECT_FALSE(store.WriteEntry(L"kept", std::wstring(128, L'y')));
    EXPECT_FALSE(store.WriteEntry(L"", L"C:\\nameless.exe"));
    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 2u);
    EXPECT_EQ(Target(L"fits"), std::wstring(127, L'x'));
    EXPECT_EQ(Target(L"kept"), L"C:\\kept.exe");
}

TEST_F(GroupStoreTest, ReadsOnlyTheFirstFiftyValuesByIndex) {
    for (int i = 0; i < 60; ++i) store.WriteEntry(L"entry" + std::to_wstring(i), L"t");
    store.ReadGroup(map);
    ASSERT_EQ(map.Size(), 50u);
    wchar_t name[16];
    for (DWORD i = 0; i < 60; ++i) {
        DWORD length = 16;
        ASSERT_EQ(::RegEnumValueW(Raw().get(), i, name, &length, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(map.Contains(name), i < 50) << i;
    }
    store.ReadGroup(map, 10);
    EXPECT_EQ(map.Size(), 10u);
}

TEST_F(GroupStoreTest, ValuesOfOtherToolsNeverReadPastTheBufferNorHideLaterOnes) {
    store.WriteEntry(L"short", L"a.exe");
    store.WriteEntry(L"long", std::wstring(120, L'L'));
    const std::vector<wchar_t> full(150, L'F');
    RawSet(L"full", REG_SZ, full.data(), 256);        // no terminator within 256 bytes
    RawSet(L"oversized", REG_SZ, full.data(), 300);   // does not fit: skipped
    const DWORD number = 0x00410041;
    RawSet(L"dword", REG_DWORD, &number, 4);          // not a string: skipped
    RawSet(L"odd", REG_SZ, L"ab", 5);
    RawSet(nullptr, REG_SZ, L"default", 16);          // the key's unnamed value: skipped
    const std::wstring longName(300, L'N');            // longer than a 130-unit name buffer
    store.WriteEntry(longName, L"n.exe");
    store.WriteEntry(L"after", L"z.exe");

    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 6u);
    EXPECT_EQ(Target(L"short"), L"a.exe");
    EXPECT_EQ(Target(L"long"), std::wstring(120, L'L'));
    EXPECT_EQ(Target(L"full"), std::wstring(128, L'F'));
    EXPECT_EQ(Target(L"odd"), L"ab");
    EXPECT_EQ(Target(longName.c_str()), L"n.exe");
    EXPECT_EQ(Target(L"after"), L"z.exe");
}

TEST_F(GroupStoreTest, DeleteRemovesOneEntryAndIgnoresMissingNames) {
    store.WriteEntry(L"keep", L"k.exe");
    store.WriteEntry(L"drop", L"d.exe");
    RawSet(nullptr, REG_SZ, L"default", 16);
    EXPECT_TRUE(store.DeleteEntry(L"drop"));
    EXPECT_TRUE(store.DeleteEntry(L"never stored"));
    EXPECT_FALSE(store.DeleteEntry(L""));
    store.ReadGroup(map);
    EXPECT_EQ(map.Size(), 1u);
    EXPECT_TRUE(map.Contains(L"keep"));
    EXPECT_EQ(::RegQueryValueExW(Raw().get(), nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);  // the unnamed value was left alone
}

}  // namespace
}  // namespace tessaly
