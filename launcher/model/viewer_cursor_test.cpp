#include "launcher/model/viewer_cursor.h"

#include <windows.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessaly
