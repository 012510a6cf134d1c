#include "launcher/skin/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "launcher/skin/skin_image.h"
#include "win32/resource.h"

namespace tessaly {
namespace {

std::vector<uint8_t> Bytes(int id) {
    auto bytes = win32::ResourceBytes(::GetModuleHandleW(nullptr), id, L"JPEG");
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    return {p, p + bytes.size()};
}

class JpegDecoder : public ::testing::Test {
protected:
    win32::ComInit com;
};

// Our pictures decode to what the system's decoder makes of them, within rounding: same size,
// colours a fraction of a level apart on average.
TEST_F(JpegDecoder, DecodesLikeTheSystem) {
    for (int id : {215, 218, 400, 401, 402, 403}) {
        SCOPED_TRACE(id);
        std::vector<uint8_t> data = Bytes(id);
        DecodedJpeg own;
        ASSERT_TRUE(DecodeBaselineJpeg(data.data(), data.size(), kMaxResampleSide, own));
        UINT width = 0, height = 0;
        std::vector<uint32_t> system = DecodeJpegWithSystem(win32::ResourceBytes(nullptr, id, L"JPEG"), width, height);
        ASSERT_EQ(own.width, static_cast<int>(width));
        ASSERT_EQ(own.height, static_cast<int>(height));
        ASSERT_EQ(own.pixels.size(), system.size());
        double total = 0;
        int worst = 0;
        for (size_t i = 0; i < system.size(); ++i) {
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(static_cast<int>(own.pixels[i] >> shift & 0xFF) -
                                       static_cast<int>(system[i] >> shift & 0xFF));
                total += d;
                worst = std::max(worst, d);
            }
        }
        EXPECT_LT(total / system.size() / 3, 0.5);
        // Decoders smooth halved chroma each their own way: a few pixels at sharp colour edges.
        EXPECT_LE(worst, 32);
    }
}

// What it does not read is refused, never half-decoded, and the skin picture still comes from the
// system then.
TEST_F(JpegDecoder, RefusesOtherKindsLargePicturesAndDamage) {
    std::vector<uint8_t> progressive = Bytes(404);
    DecodedJpeg out;
    EXPECT_FALSE(DecodeBaselineJpeg(progressive.data(), progressive.size(), kMaxResampleSide, out));
    EXPECT_TRUE(StretchedSkinPicture(404, SIZE{20, 20}));

    std::vector<uint8_t> data = Bytes(403);
    EXPECT_FALSE(DecodeBaselineJpeg(data.data(), data.size(), 74, out));  // 75 wide
    EXPECT_TRUE(out.pixels.empty());
    EXPECT_FALSE(DecodeBaselineJpeg(nullptr, 0, kMaxResampleSide, out));

    // Cut anywhere before the last bytes of its scan: refused.
    for (size_t cut = 0; cut + 16 < data.size(); ++cut) {
        EXPECT_FALSE(DecodeBaselineJpeg(data.data(), cut, kMaxResampleSide, out)) << cut;
    }
    // Any byte damaged: a picture of the right size or a refusal, and nothing read or written
    // outside the buffers (the address sanitiser-free build still crashes on most such faults).
    for (size_t i = 0; i < data.size(); ++i) {
        for (uint8_t flip : {0x01, 0x80, 0xFF}) {
            std::vector<uint8_t> damaged = data;
            damaged[i] ^= flip;
            DecodedJpeg result;
            if (DecodeBaselineJpeg(damaged.data(), damaged.size(), kMaxResampleSide, result)) {
                EXPECT_EQ(result.pixels.size(), static_cast<size_t>(result.width) * result.height);
            }
        }
    }
}

}  // namespace
}  // namespace tessaly
