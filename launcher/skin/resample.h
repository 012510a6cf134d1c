#pragma once
// Resizing 32-bit pixels (BGRX, rows top-down, no padding) with a separable triangle filter whose
// footprint widens with the shrink factor: an enlarged picture is interpolated smoothly and a
// shrunk one averages every source pixel it covers, so it is neither blocky nor speckled.
// Plain memory in, plain memory out: no device, any thread.
#include <cstdint>
#include <cstddef>

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

}  // namespace tessaly
