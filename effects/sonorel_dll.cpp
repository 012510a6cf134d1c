// Sonorel.dll: the exports come from sonorel_core and are named in Sonorel.def.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    // The library keeps no per-thread state.
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
