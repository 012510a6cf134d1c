#include "common/skin/resample.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
    Picture(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    PixelRect rect() { return PixelRect{pixels.data(), pixels.size(), width, height}; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t Blue(uint32_t p) { return p & 0xFF; }

TEST(Resample, RefusesWhatItCannotHoldAndLeavesTheTargetAlone) {
    Picture from(4, 4, 0x112233);
    Picture to(3, 3, 0xABCDEF);
    const PixelRect bad[] = {
        {from.pixels.data(), from.pixels.size(), 0, 4},
        {from.pixels.data(), from.pixels.size(), 4, -1},
        {from.pixels.data(), from.pixels.size(), kMaxResampleSide + 1, 1},
        {from.pixels.data(), from.pixels.size() - 1, 4, 4},  // shorter than its sides
        {nullptr, 16, 4, 4},
    };
    for (const PixelRect& r : bad) {
        EXPECT_FALSE(ResamplePixels(r, to.rect()));
        EXPECT_FALSE(ResamplePixels(from.rect(), PixelRect{to.pixels.data(), to.pixels.size(), r.width, r.height}));
    }
    EXPECT_FALSE(ResamplePixels(from.rect(), PixelRect{to.pixels.data(), 8, 3, 3}));
    for (uint32_t p : to.pixels) EXPECT_EQ(p, 0xABCDEFu);

    // The largest side is taken: one long row into one pixel and back.
    Picture row(kMaxResampleSide, 1, 0x405060);
    Picture dot(1, 1);
    ASSERT_TRUE(ResamplePixels(row.rect(), dot.rect()));
    EXPECT_EQ(dot.at(0, 0), 0x405060u);
    ASSERT_TRUE(ResamplePixels(dot.rect(), row.rect()));
    EXPECT_EQ(row.at(kMaxResampleSide - 1, 0), 0x405060u);
}

TEST(Resample, AFlatColourStaysExactlyThatColourAtAnySize) {
    const uint32_t colour = 0xFF10E07F;  // the fourth byte comes out 0
    const int sizes[][2] = {{1, 1}, {7, 3}, {640, 480}, {1920, 1080}, {97, 733}, {2, 1999}};
    for (auto from : sizes) {
        Picture source(from[0], from[1], colour);
        for (auto to : sizes) {
            Picture target(to[0], to[1], 0x12345678);
            ASSERT_TRUE(ResamplePixels(source.rect(), target.rect()));
            size_t wrong = 0;
            for (uint32_t p : target.pixels) wrong += p != 0x10E07Fu;
            EXPECT_EQ(wrong, 0u) << from[0] << "x" << from[1] << " to " << to[0] << "x" << to[1];
        }
    }
}

TEST(Resample, ShrinkingAveragesAndEnlargingInterpolates) {
    // Columns alternating 0 and 200 in blue, shrunk to half the width: every column away from the
    // edges is the average, not one of the two (which a nearest-pixel pick would give).
    Picture stripes(64, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 64; ++x) stripes.pixels[static_cast<size_t>(y) * 64 + x] = x % 2 ? 200 : 0;
    Picture half(32, 2);
    ASSERT_TRUE(ResamplePixels(stripes.rect(), half.rect()));
    for (int x = 1; x < 31; ++x) EXPECT_NEAR(static_cast<int>(Blue(half.at(x, 1))), 100, 1) << x;

    // The same length is copied through, channels untouched.
    Picture copy(64, 2);
    ASSERT_TRUE(ResamplePixels(stripes.rect(), copy.rect()));
    EXPECT_EQ(copy.pixels, stripes.pixels);

    // A step from black to white, made taller: the rows in between climb steadily, and the
    // channels do not leak into each other (blue only stays blue only).
    Picture step(3, 2);
    for (int x = 0; x < 3; ++x) step.pixels[3 + x] = 0xFF;
    Picture tall(3, 9);
    ASSERT_TRUE(ResamplePixels(step.rect(), tall.rect()));
    EXPECT_EQ(tall.at(0, 0), 0u);
    EXPECT_EQ(tall.at(2, 8), 0xFFu);
    for (int y = 1; y < 9; ++y) {
        EXPECT_GE(Blue(tall.at(1, y)), Blue(tall.at(1, y - 1)));
        EXPECT_EQ(tall.at(1, y) & 0xFFFF00, 0u);
    }
    EXPECT_GT(Blue(tall.at(1, 4)), 64u);
    EXPECT_LT(Blue(tall.at(1, 4)), 192u);

    // Both sides at once, for a screen of another shape: a left-to-right ramp stays a ramp.
    Picture ramp(256, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 256; ++x) ramp.pixels[static_cast<size_t>(y) * 256 + x] = static_cast<uint32_t>(x) << 8;
    Picture small(100, 37);
    ASSERT_TRUE(ResamplePixels(ramp.rect(), small.rect()));
    for (int x = 1; x < 100; ++x) EXPECT_GT(small.at(x, 20), small.at(x - 1, 20)) << x;
}

TEST(Resample, BoxReduceAveragesBlocksAndDropsTheRemainder) {
    // 5 x 2 pixels of 24 bits in rows of 16 bytes: averaged 2 x 2 into 2 x 1, the fifth column
    // dropped.
    std::vector<unsigned char> rgb(32, 0);
    auto set = [&](int x, int y, int b, int g, int r) {
        rgb[y * 16 + x * 3] = static_cast<unsigned char>(b);
        rgb[y * 16 + x * 3 + 1] = static_cast<unsigned char>(g);
        rgb[y * 16 + x * 3 + 2] = static_cast<unsigned char>(r);
    };
    set(0, 0, 100, 0, 255);
    set(1, 0, 100, 0, 255);
    set(0, 1, 0, 0, 255);
    set(1, 1, 0, 40, 255);
    set(2, 0, 255, 255, 255);
    set(4, 0, 255, 255, 255);
    std::vector<unsigned> out;
    BoxReduce(rgb.data(), 5, 2, 16, 3, 2, 2, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 50u | (10u << 8) | (255u << 16));
    EXPECT_EQ(out[1], 63u | (63u << 8) | (63u << 16));

    // 32 bits, factor 1: a plain copy with the fourth byte cleared.
    std::vector<unsigned char> argb = {1, 2, 3, 200, 4, 5, 6, 100};
    BoxReduce(argb.data(), 2, 1, 8, 4, 1, 1, out);
    EXPECT_EQ(out, (std::vector<unsigned>{0x030201u, 0x060504u}));

    // Nothing sensible to do: nothing out.
    BoxReduce(argb.data(), 2, 1, 7, 4, 1, 1, out);  // rows shorter than the pixels
    EXPECT_TRUE(out.empty());
    BoxReduce(argb.data(), 2, 1, 8, 4, 3, 1, out);  // factor wider than the picture
    EXPECT_TRUE(out.empty());
    BoxReduce(argb.data(), 2, 1, 8, 2, 1, 1, out);
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace tessaly
