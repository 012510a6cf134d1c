#pragma once
// A decoder for the pictures compiled into the programs: baseline JPEG (one interleaved scan,
// Huffman coded, 8-bit samples, grey or YCbCr with chroma at full or half resolution). Loading the
// system's imaging component costs more at start-up than decoding a full-screen picture here.
// Anything else is refused, so the caller can hand it to the system.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // top-down rows, 0xFFRRGGBB
};

// False, out left as it was, when data is not a JPEG of that kind, is damaged or cut short, a side
// is larger than maxSide, or there is no memory.
bool DecodeBaselineJpeg(const uint8_t* data, size_t size, int maxSide, DecodedJpeg& out);

}  // namespace tessaly
