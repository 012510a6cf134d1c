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

// Two grey blocks, each with only its DC value, in restart intervals of one block: the second
// starts again from a zero predictor (without the restart it would come out 122, not 100).
TEST_F(JpegDecoder, RestartIntervalsStartEachBlockAfresh) {
    std::vector<uint8_t> data = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    data.insert(data.end(), 64, 1);  // every quantiser 1
    const uint8_t rest[] = {
        0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x10, 0x01, 0x01, 0x11, 0x00,  // 16 x 8, grey
        // DC: codes 00 and 01 for categories 0 and 8; AC: code 0 for the end of a block.
        0xFF, 0xC4, 0x00, 0x15, 0x00, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x08,
        0xFF, 0xC4, 0x00, 0x14, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00,
        0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01,                          // restart every block
        0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,  // the scan
        0x6C, 0x1F, 0xFF, 0xD0, 0x47, 0xDF,                          // DC 176, restart, DC -224
        0xFF, 0xD9};
    data.insert(data.end(), std::begin(rest), std::end(rest));
    DecodedJpeg own;
    ASSERT_TRUE(DecodeBaselineJpeg(data.data(), data.size(), kMaxResampleSide, own));
    ASSERT_EQ(own.width, 16);
    ASSERT_EQ(own.height, 8);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(own.pixels[y * 16 + 3], 0xFF969696u) << y;   // 128 + 176 / 8
        EXPECT_EQ(own.pixels[y * 16 + 12], 0xFF646464u) << y;  // 128 - 224 / 8
    }
    UINT width = 0, height = 0;
    std::vector<uint32_t> system = DecodeJpegWithSystem(
        std::span<const std::byte>(reinterpret_cast<const std::byte*>(data.data()), data.size()), width, height);
    ASSERT_EQ(system.size(), own.pixels.size());
    EXPECT_EQ(system[12] & 0xFFFFFF, 0x646464u);

    // A restart marker that is not there: refused.
    std::vector<uint8_t> missing = data;
    missing[missing.size() - 5] = 0x00;  // FF D0 -> a stuffed FF
    EXPECT_FALSE(DecodeBaselineJpeg(missing.data(), missing.size(), kMaxResampleSide, own));
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
