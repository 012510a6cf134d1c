#include "common/skin/jpeg_pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/skin/skin_image.h"
#include "win32/resource.h"

namespace tessaly {
namespace {

std::vector<uint8_t> Bytes(int id) {
    auto bytes = win32::ResourceBytes(::GetModuleHandleW(nullptr), id, L"JPEG");
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    return {p, p + bytes.size()};
}

// Offset of the frame header's height in a baseline JPEG (after FF C0, length, precision).
size_t FrameSizeAt(const std::vector<uint8_t>& data) {
    for (size_t i = 2; i + 8 < data.size(); ++i) {
        if (data[i] == 0xFF && data[i + 1] == 0xC0) return i + 5;
    }
    return 0;
}

// Our pictures come out as the system's decoder makes them (same size, same channel order, colours
// within rounding), and every bound refuses before decoding.
TEST(JpegPixels, DecodesLikeTheSystemWithinItsBounds) {
    win32::ComInit com;
    for (int id : {215, 218}) {
        SCOPED_TRACE(id);
        std::vector<uint8_t> data = Bytes(id);
        DecodedPixels own, system;
        ASSERT_TRUE(DecodeJpegPixels(data.data(), data.size(), kMaxResampleSide, own));
        ASSERT_TRUE(DecodeJpegWithSystem(win32::ResourceBytes(nullptr, id, L"JPEG"), system));
        ASSERT_EQ(own.width, system.width);
        ASSERT_EQ(own.height, system.height);
        double total = 0;
        for (size_t i = 0; i < own.count(); ++i) {
            EXPECT_EQ(own.pixels[i] >> 24, 0xFFu) << i;
            for (int shift : {0, 8, 16}) {
                total += std::abs(static_cast<int>(own.pixels[i] >> shift & 0xFF) -
                                  static_cast<int>(system.pixels[i] >> shift & 0xFF));
            }
        }
        EXPECT_LT(total / own.count() / 3, 1.0);
    }

    std::vector<uint8_t> data = Bytes(218);  // 399 x 500
    DecodedPixels out;
    EXPECT_FALSE(DecodeJpegPixels(data.data(), data.size(), 499, out));
    EXPECT_TRUE(DecodeJpegPixels(data.data(), data.size(), 500, out));
    EXPECT_FALSE(DecodeJpegPixels(data.data(), data.size(), kMaxResampleSide + 1, out));
    EXPECT_FALSE(DecodeJpegPixels(data.data(), 0, kMaxResampleSide, out));
    EXPECT_FALSE(DecodeJpegPixels(nullptr, data.size(), kMaxResampleSide, out));
    EXPECT_EQ(out.width, 399);  // a refusal leaves out as it was

    // A header declaring 16384 x 16384 over a few kilobytes: more blocks than bits, refused
    // before stb would allocate its planes. Cut after the header, the same.
    const size_t at = FrameSizeAt(data);
    ASSERT_NE(at, 0u);
    for (size_t i : {at, at + 2}) {
        data[i] = 0x40;
        data[i + 1] = 0x00;
    }
    EXPECT_FALSE(DecodeJpegPixels(data.data(), data.size(), kMaxResampleSide, out));
    data.resize(at + 200);
    EXPECT_FALSE(DecodeJpegPixels(data.data(), data.size(), kMaxResampleSide, out));
    EXPECT_EQ(out.width, 399);
}

}  // namespace
}  // namespace tessaly
