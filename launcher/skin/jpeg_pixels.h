#pragma once
// JPEG pictures to 32-bit pixels through stb_image (Debian's libstb-dev). Plain memory in, plain
// memory out, no Windows: the sanitizer run builds this file for the host as it is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace tessaly {

// Pixels from malloc (both decoders hand them over without a copy).
struct FreePixels {
    void operator()(uint32_t* p) const { std::free(p); }
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
