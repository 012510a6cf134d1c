#pragma once
// Resizing 32-bit pixels (BGRX, rows top-down, no padding) with a separable triangle filter whose
// footprint widens with the shrink factor: an enlarged picture is interpolated smoothly and a
// shrunk one averages every source pixel it covers, so it is neither blocky nor speckled.
// Plain memory in, plain memory out: no device, any thread.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

// Larger sides are refused, so that every index and byte count fits in 32 bits.
constexpr int kMaxResampleSide = 16384;

struct PixelRect {
    uint32_t* pixels;
    size_t count;  // pixels available at `pixels`
    int width;
    int height;
};

// Fills `to` (fourth byte 0) from `from`; false, `to` untouched, when a side is not in
// 1..kMaxResampleSide, either count is below width x height, or there is no memory.
bool ResamplePixels(const PixelRect& from, const PixelRect& to);

// Averages each fx x fy block of a 24- or 32-bit top-down picture into one 32-bit pixel (blue,
// green, red, 0): out holds (width / fx) x (height / fy) pixels, the remainder columns and rows
// dropped. Shrinking a photograph by more than half with a plain stretch drops whole rows and
// columns and shimmers; averaging first keeps it smooth.
void BoxReduce(const unsigned char* pixels, int width, int height, int stride, int bytesPerPixel,
               int fx, int fy, std::vector<unsigned>& out);

}  // namespace tessaly
