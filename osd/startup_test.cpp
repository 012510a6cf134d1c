#include "osd/startup.h"
#include "win32/instance.h"

#include <gtest/gtest.h>

namespace osd {
namespace {

// The instance marker and the module path are shared with the launcher: win32/instance_test.cpp.

class OsdAutostartRegistry : public ::testing::Test {
protected:
    static constexpr wchar_t kBase[] = L"Software\\TessalyTest\\OsdAutostart";
    static constexpr wchar_t kSub[] = L"Software\\TessalyTest\\OsdAutostart\\Run";
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }

    static std::wstring Stored(DWORD* type = nullptr, DWORD* bytes = nullptr) {
        wchar_t buffer[600] = {};
        DWORD size = sizeof buffer;
        DWORD t = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, kSub, kAutostartValue, RRF_RT_ANY, &t, buffer, &size) != ERROR_SUCCESS)
            return L"<missing>";
        if (type) *type = t;
        if (bytes) *bytes = size;
        return buffer;
    }
};

TEST_F(OsdAutostartRegistry, EveryStartStoresTheCurrentPathQuoted) {
    EXPECT_EQ(RegisterAutostart(L"C:\\old\\Vantosd.exe", HKEY_CURRENT_USER, nullptr, kSub), AutostartWhere::Machine);
    EXPECT_EQ(Stored(), L"\"C:\\old\\Vantosd.exe\"");
    // A path with blanks: quoted, so the system cannot take "D:\Program" for the program.
    const std::wstring now = L"D:\\Program Files\\Tessaly\\Vantosd.exe";
    EXPECT_EQ(RegisterAutostart(now, HKEY_CURRENT_USER, nullptr, kSub), AutostartWhere::Machine);
    DWORD type = 0, bytes = 0;
    EXPECT_EQ(Stored(&type, &bytes), L"\"" + now + L"\"");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (now.size() + 3) * sizeof(wchar_t));
    // The same start again, and an old unquoted value, end with the same quoted value.
    EXPECT_EQ(RegisterAutostart(now, HKEY_CURRENT_USER, nullptr, kSub), AutostartWhere::Machine);
    EXPECT_EQ(Stored(), L"\"" + now + L"\"");
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kSub, kAutostartValue, REG_SZ, now.c_str(),
                      static_cast<DWORD>((now.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(RegisterAutostart(now, HKEY_CURRENT_USER, nullptr, kSub), AutostartWhere::Machine);
    EXPECT_EQ(Stored(), L"\"" + now + L"\"");
}

TEST_F(OsdAutostartRegistry, UserRunKeyTakesTheValueWhenTheMachineKeyRefuses) {
    // A root the system refuses stands for a machine key a normal user may not write.
    HKEY refused = nullptr;
    EXPECT_EQ(RegisterAutostart(L"C:\\Vantosd.exe", refused, HKEY_CURRENT_USER, kSub), AutostartWhere::User);
    EXPECT_EQ(Stored(), L"\"C:\\Vantosd.exe\"");
    EXPECT_EQ(RegisterAutostart(L"C:\\Vantosd.exe", refused, refused, kSub), AutostartWhere::Nowhere);
    EXPECT_EQ(RegisterAutostart(L"", HKEY_CURRENT_USER, HKEY_CURRENT_USER, kSub), AutostartWhere::Nowhere);
}

}  // namespace
}  // namespace osd
