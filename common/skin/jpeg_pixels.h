#pragma once
// JPEG pictures to 32-bit pixels through stb_image (Debian's libstb-dev). Plain memory in, plain
// memory out, no Windows: the sanitizer run builds this file for the host as it is.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tessaly {

// Memory for decoded pixels and for the decoder's own planes (both decoders hand pixels over
// without a copy). On Windows whole pages from the system, given back when freed: the heap kept
// the half-megabyte chroma planes of the menu background for the life of the process. Null when
// there is none.
void* AllocPixelMemory(size_t bytes);
void FreePixelMemory(void* p);
struct FreePixels {
    void operator()(uint32_t* p) const { FreePixelMemory(p); }
};

struct DecodedPixels {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint32_t[], FreePixels> pixels;  // top-down rows, BGRX, fourth byte 0xFF
    size_t count() const { return static_cast<size_t>(width) * static_cast<size_t>(height); }
};

// False, out left as it was, when data is not a JPEG that stb_image reads (it refuses arithmetic
// coding and 12-bit samples), is damaged or cut short, a side is larger than maxSide (itself
// bounded by kMaxResampleSide), it declares more 8x8 blocks than its bytes can code, or there is
// no memory.
bool DecodeJpegPixels(const uint8_t* data, size_t size, int maxSide, DecodedPixels& out);

}  // namespace tessaly
