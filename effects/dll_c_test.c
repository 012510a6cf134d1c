/* The public header as a C program sees it. */
#include "sonorel.h"

int SonorelGetInterfaceFromC(void) {
    EffectsHandle* handle = 0;
    int found = TAVISUP_GetInterface(&handle);
    TAVISUP_ReleaseInterface(&handle);
    return found * 2 + (handle == 0);
}
