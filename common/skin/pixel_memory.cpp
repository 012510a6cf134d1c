#include "common/skin/jpeg_pixels.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace tessaly {

#ifdef _WIN32
// Whole pages: a few blocks per picture, each given back to the system when freed.
void* AllocPixelMemory(size_t bytes) {
    return ::VirtualAlloc(nullptr, bytes ? bytes : 1, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}
void FreePixelMemory(void* p) {
    if (p) ::VirtualFree(p, 0, MEM_RELEASE);
}
#else
// The host's sanitizer run: malloc, whose blocks AddressSanitizer fences to the byte.
void* AllocPixelMemory(size_t bytes) { return std::malloc(bytes); }
void FreePixelMemory(void* p) { std::free(p); }
#endif

}  // namespace tessaly
