#include "common/skin/jpeg_pixels.h"

#include <climits>
#include <cstring>

#include "common/skin/resample.h"

namespace tessaly {
namespace {
// stb asks for it only in the formats left out here; there for completeness.
[[maybe_unused]] void* ReallocPixelMemory(void* p, size_t oldBytes, size_t newBytes) {
    void* moved = AllocPixelMemory(newBytes);
    if (moved && p) std::memcpy(moved, p, oldBytes < newBytes ? oldBytes : newBytes);
    if (moved) FreePixelMemory(p);
    return moved;
}
}  // namespace
}  // namespace tessaly

// Only what the compiled-in pictures need: JPEG from memory, no text for failures (stb would keep
// it in a per-thread global).
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_STATIC
#define STBI_MALLOC(bytes) tessaly::AllocPixelMemory(bytes)
#define STBI_FREE(p) tessaly::FreePixelMemory(p)
#define STBI_REALLOC_SIZED(p, oldBytes, newBytes) tessaly::ReallocPixelMemory(p, oldBytes, newBytes)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace tessaly {
namespace {

// The file's marker structure, walked before stb sees it: every segment fits in the data, no
// Huffman table has more than 256 codes (Debian's stb writes past its tables on such a one), and
// the data ends with the end-of-image marker (stb fills a cut file with zeros and calls it a
// picture). Entropy-coded data is skipped to its next marker.
bool StructureIsSound(const uint8_t* data, size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8 || data[size - 2] != 0xFF || data[size - 1] != 0xD9) {
        return false;
    }
    size_t i = 2;
    while (i + 1 < size) {
        if (data[i] != 0xFF) {  // scan data: on to the next marker that is not a stuffed byte or a restart
            ++i;
            continue;
        }
        const uint8_t marker = data[i + 1];
        if (marker == 0xFF || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9) return i + 2 == size;
        if (marker == 0xD8 || i + 4 > size) return false;
        const size_t length = static_cast<size_t>(data[i + 2]) << 8 | data[i + 3];
        if (length < 2 || length > size - i - 2) return false;
        if (marker == 0xC4) {
            for (size_t t = i + 4, end = i + 2 + length; t < end;) {
                if (end - t < 17) return false;
                size_t codes = 0;
                for (size_t k = 1; k <= 16; ++k) codes += data[t + k];
                if (codes > 256 || codes > end - t - 17) return false;
                t += 17 + codes;
            }
        }
        i += 2 + length;
    }
    return false;
}

}  // namespace

static_assert(STBI_MAX_DIMENSIONS == kMaxResampleSide, "stb's bound is the resampler's");

bool DecodeJpegPixels(const uint8_t* data, size_t size, int maxSide, DecodedPixels& out) {
    if (!data || size == 0 || size > INT_MAX || maxSide < 1 || maxSide > kMaxResampleSide) return false;
    if (!StructureIsSound(data, size)) return false;
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return false;
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return false;
    // stb allocates its sample planes from the frame header, before any scan is read. Every 8x8
    // block costs at least one bit of scan data, so a header that declares more blocks than the
    // file has bits is a forgery: refused before a large allocation that a tiny file could ask for.
    const uint64_t blocks = static_cast<uint64_t>(width / 8) * static_cast<uint64_t>(height / 8);
    if (blocks > static_cast<uint64_t>(size) * 8) return false;

    int w = 0, h = 0;
    stbi_uc* rgba = stbi_load_from_memory(data, length, &w, &h, &channels, 4);
    if (!rgba) return false;
    std::unique_ptr<uint32_t[], FreePixels> pixels(reinterpret_cast<uint32_t*>(rgba));
    if (w != width || h != height) return false;  // the header read twice must agree
    // RGBA bytes to BGRX words.
    const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    uint32_t* p = pixels.get();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t v = p[i];
        p[i] = 0xFF000000u | (v & 0x0000FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
    }
    out.width = w;
    out.height = h;
    out.pixels = std::move(pixels);
    return true;
}

}  // namespace tessaly
