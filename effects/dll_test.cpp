// Runs against the built Sonorel.dll through its import library, on this machine's drivers.
#include "sonorel.h"

#include <gtest/gtest.h>

#include <windows.h>

extern "C" int SonorelGetInterfaceFromC(void);

TEST(SonorelDllTest, NoEffectsDriverMeansNoInterface) {
    // The test is about the library on a machine without the effects driver.
    EffectsHandle* handle = reinterpret_cast<EffectsHandle*>(static_cast<uintptr_t>(1));
    ASSERT_EQ(TAVISUP_GetInterface(&handle), 0);
    EXPECT_EQ(handle, nullptr);
    TAVISUP_ReleaseInterface(&handle);
    EXPECT_EQ(TAVISUP_SetKaraokeState(handle, 1), 0);
    EXPECT_EQ(SonorelGetInterfaceFromC(), 1);  // not found, handle left null
}

TEST(SonorelDllTest, CallsReachTheLoadedLibrary) {
    HMODULE module = GetModuleHandleA("Sonorel.dll");
    ASSERT_NE(module, nullptr);
    using GetInterface = int(TAVISUP_CALL*)(EffectsHandle**);
    auto byName = reinterpret_cast<GetInterface>(
        reinterpret_cast<void*>(GetProcAddress(module, "TAVISUP_GetInterface")));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName(nullptr), 0);
}
