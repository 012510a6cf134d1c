#include "launcher/model/viewer_cursor.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>


namespace tessaly {
namespace {

TEST(ViewerLogic, ArrowsAndTrackKeysStepEverythingElseIsLeftToTheDialog) {
    for (unsigned key : {37u, 38u, 177u})
        EXPECT_EQ(ViewerStepForKey(key), ViewerStep::kPrevious) << key;
    for (unsigned key : {39u, 40u, 176u})
        EXPECT_EQ(ViewerStepForKey(key), ViewerStep::kNext) << key;
    for (unsigned key : {13u, 27u, 178u, 179u, 0u, 0xFFFFu})
        EXPECT_EQ(ViewerStepForKey(key), ViewerStep::kNone) << key;
}

// "..", two folders, then three pictures at 3, 4 and 5.
TEST(ViewerLogic, PreviousStopsAtTheFirstPictureNextRedrawsTheLastOnlyOnce) {
    ViewerCursor c(6, 2, 3);
    EXPECT_TRUE(c.Previous());  // refused, but the same picture is turned again
    EXPECT_EQ(c.index(), 3);
    EXPECT_TRUE(c.Next());
    EXPECT_EQ(c.index(), 4);
    EXPECT_FALSE(c.atLast());
    EXPECT_TRUE(c.Next());
    EXPECT_EQ(c.index(), 5);
    EXPECT_TRUE(c.atLast());
    EXPECT_FALSE(c.Next());
    EXPECT_FALSE(c.Next());
    EXPECT_EQ(c.index(), 5);

    // Back and forward again: the step onto the last picture still shows it.
    EXPECT_TRUE(c.Previous());
    EXPECT_EQ(c.index(), 4);
    EXPECT_TRUE(c.Next());
    EXPECT_EQ(c.index(), 5);
    EXPECT_FALSE(c.Next());
    EXPECT_TRUE(c.atLast());  // never cleared

    // Opened on the last picture: the first Next turns it again, the second does nothing.
    ViewerCursor last(6, 2, 5);
    EXPECT_TRUE(last.Next());
    EXPECT_EQ(last.index(), 5);
    EXPECT_FALSE(last.Next());
}

TEST(ViewerLogic, OutOfRangeIndicesAndEmptyListsStayInsideTheList) {
    ViewerCursor past(4, 0, 9);
    EXPECT_EQ(past.index(), 3);
    ViewerCursor before(4, 0, -3);
    EXPECT_EQ(before.index(), 0);
    ViewerCursor none(0, 0, 0);
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(none.Previous());
    EXPECT_FALSE(none.Next());
    EXPECT_EQ(none.index(), 0);
    // A single picture without folders: Previous refuses, Next turns it once.
    ViewerCursor one(2, 0, 1);
    EXPECT_TRUE(one.Previous());
    EXPECT_EQ(one.index(), 1);
    EXPECT_TRUE(one.Next());
    EXPECT_FALSE(one.Next());
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

bool SizeOf(const std::string& bytes, unsigned& w, unsigned& h) {
    w = h = 12345;
    return PictureHeaderSize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), w,
                             h);
}

TEST(ViewerLogic, HeaderSizesOfTheFourFormatsWithoutDecoding) {
    unsigned w = 0;
    unsigned h = 0;
    const std::string png = Bytes({0x89, 'P', 'N', 'G', 13, 10, 26,   10,   0, 0, 0,    13,
                                   'I',  'H', 'D', 'R', 0,  0,  0x3E, 0x80, 0, 0, 0x3E, 0x81});
    ASSERT_TRUE(SizeOf(png, w, h));
    EXPECT_EQ(w, 16000u);
    EXPECT_EQ(h, 16001u);
    EXPECT_FALSE(SizeOf(png.substr(0, 23), w, h));

    // Start, an application segment, a table (0xC4 is no frame), fill bytes, progressive frame.
    const std::string jpeg = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4,  1, 2,    0xFF, 0xC4, 0,    3,
                                    9,    0xFF, 0xFF, 0xC2, 0, 11, 8, 0x0B, 0xB8, 0x0F, 0xA0, 3});
    ASSERT_TRUE(SizeOf(jpeg, w, h));
    EXPECT_EQ(w, 4000u);
    EXPECT_EQ(h, 3000u);
    EXPECT_FALSE(SizeOf(jpeg.substr(0, 20), w, h));                           // frame cut short
    EXPECT_FALSE(SizeOf(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 1, 0, 0}), w, h));  // length below 2
    EXPECT_FALSE(SizeOf(Bytes({0xFF, 0xD8, 0x00, 0xE0, 0, 4, 0, 0}), w, h));  // no marker

    ASSERT_TRUE(SizeOf(std::string("GIF89a") + Bytes({0x40, 0x01, 0xF0, 0x00}), w, h));
    EXPECT_EQ(w, 320u);
    EXPECT_EQ(h, 240u);

    std::string bmp = std::string("BM") + std::string(12, '\0') +
                      Bytes({40, 0, 0, 0, 0x80, 0x3E, 0, 0, 0x80, 0xC1, 0xFF, 0xFF});
    ASSERT_TRUE(SizeOf(bmp, w, h));  // rows top-down: negative height
    EXPECT_EQ(w, 16000u);
    EXPECT_EQ(h, 16000u);
    std::string core =
        std::string("BM") + std::string(12, '\0') + Bytes({12, 0, 0, 0, 10, 0, 20, 0, 1, 0, 24, 0});
    ASSERT_TRUE(SizeOf(core, w, h));
    EXPECT_EQ(w, 10u);
    EXPECT_EQ(h, 20u);

    EXPECT_FALSE(SizeOf("", w, h));
    EXPECT_FALSE(SizeOf("not a picture at all, just some text", w, h));
    EXPECT_FALSE(PictureHeaderSize(nullptr, 100, w, h));
}

bool Allowed(const std::string& bytes) {
    return PictureWithinDecodeBound(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// A BMP with the info header: w x h at 24 bits, padded with zeros to fileSize.
std::string BmpHeader(int w, int h, size_t fileSize) {
    auto le32 = [](int v) {
        return Bytes({v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF});
    };
    std::string b = "BM" + le32(static_cast<int>(fileSize)) + le32(0) + le32(54) + le32(40) + le32(w) +
                    le32(h) + Bytes({1, 0, 24, 0}) + le32(0);
    b.resize(std::max(fileSize, b.size()), '\0');
    return b;
}

// A TIFF of one directory holding width and length (as shorts or longs), either byte order.
std::string Tiff(bool little, unsigned w, unsigned h, bool longs) {
    auto u16 = [&](unsigned v) { return little ? Bytes({int(v & 0xFF), int(v >> 8)}) : Bytes({int(v >> 8), int(v & 0xFF)}); };
    auto u32 = [&](unsigned v) {
        return little ? u16(v & 0xFFFF) + u16(v >> 16) : u16(v >> 16) + u16(v & 0xFFFF);
    };
    auto entry = [&](unsigned tag, unsigned v) {
        if (longs) return u16(tag) + u16(4) + u32(1) + u32(v);
        return u16(tag) + u16(3) + u32(1) + u16(v) + u16(0);
    };
    std::string t = std::string(little ? "II" : "MM") + u16(42) + u32(8) + u16(3) +
                    entry(254, 0) + entry(256, w) + entry(257, h) + u32(0);
    return t;
}

TEST(ViewerLogic, TiffHeadersAreSizedInBothByteOrders) {
    unsigned w = 0;
    unsigned h = 0;
    ASSERT_TRUE(SizeOf(Tiff(true, 640, 480, false), w, h));
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
    ASSERT_TRUE(SizeOf(Tiff(false, 70000, 3, true), w, h));
    EXPECT_EQ(w, 70000u);
    EXPECT_EQ(h, 3u);
    const std::string tiff = Tiff(true, 640, 480, false);
    EXPECT_FALSE(SizeOf(tiff.substr(0, tiff.size() - 10), w, h));  // the length's entry cut off
    std::string offsetOut = tiff;
    offsetOut[4] = static_cast<char>(0xF0);  // directory beyond the end
    EXPECT_FALSE(SizeOf(offsetOut, w, h));
    std::string big = tiff;
    big[2] = 43;  // the 64-bit variant
    EXPECT_FALSE(SizeOf(big, w, h));
}

// The one gate before any decoder: a size read from the header, within the bound, whatever the
// file is called.
TEST(ViewerLogic, DecodeBoundRefusesWhatIsTooLargeOrCannotBeSized) {
    EXPECT_TRUE(Allowed(BmpHeader(16, 16, 54 + 16 * 48)));
    EXPECT_FALSE(Allowed(BmpHeader(8000, 8000, 1024)));        // rows the 1 KB file cannot hold
    EXPECT_FALSE(Allowed(BmpHeader(16, 16, 54 + 16 * 48 - 1)));  // one byte short
    EXPECT_FALSE(Allowed(BmpHeader(0, 16, 1024)));

    const std::string png16000 = Bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H',
                                        'D', 'R', 0, 0, 0x3E, 0x80, 0, 0, 0x3E, 0x80});
    EXPECT_FALSE(Allowed(png16000));
    const std::string png8000 = Bytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H',
                                       'D', 'R', 0, 0, 0x1F, 0x40, 0, 0, 0x1F, 0x40});
    EXPECT_TRUE(Allowed(png8000));  // 64 million pixels: just within

    EXPECT_TRUE(Allowed(Tiff(true, 640, 480, false)));  // named .jpg or not: the bytes decide
    EXPECT_FALSE(Allowed(Tiff(false, 20000, 20000, true)));
    EXPECT_FALSE(Allowed(Tiff(true, 0, 480, false)));

    EXPECT_FALSE(Allowed("not a picture at all, just some text"));
    EXPECT_FALSE(Allowed(Bytes({0, 0, 1, 0, 1, 0, 16, 16})));  // an icon: not sized here
    EXPECT_FALSE(Allowed(""));
    EXPECT_FALSE(PictureWithinDecodeBound(nullptr, 100));
}

}  // namespace
}  // namespace tessaly
