#include "launcher/model/text_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

// A text ten pixels wide per unit of character width, as tall as the cell.
struct FakeText {
    std::vector<FontSize> calls;
    SIZE operator()(FontSize f) {
        calls.push_back(f);
        return SIZE{10 * f.width, f.height};
    }
};

TEST(TextFitTogether, ShrinksOnlyWhatDoesNotFit) {
    FakeText text;
    // Room for 290 across and 50 down: the width goes to 29, the height stays.
    FitResult r = FitText({37, 50}, {300, 66}, kTileFit, [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{29, 50}));
    EXPECT_EQ(r.text.cx, 290);
    EXPECT_EQ(text.calls.size(), 9u);  // first measure plus eight steps

    // Too wide and too tall: both shrink on the same step.
    FakeText both;
    r = FitText({37, 50}, {360, 60}, kTileFit, [&](FontSize f) { return both(f); });
    EXPECT_EQ(r.font, (FontSize{35, 44}));
    ASSERT_GE(both.calls.size(), 2u);
    EXPECT_EQ(both.calls[1], (FontSize{36, 49}));

    // A browser row: 200 x 46 leaves 190 x 30.
    FakeText row;
    r = FitText({25, 50}, {200, 46}, kTileFit, [&](FontSize f) { return row(f); });
    EXPECT_EQ(r.font, (FontSize{19, 30}));

    // Already fitting: measured once, unchanged.
    FakeText fits;
    r = FitText({16, 30}, {400, 70}, kTileFit, [&](FontSize f) { return fits(f); });
    EXPECT_EQ(r.font, (FontSize{16, 30}));
    EXPECT_EQ(fits.calls.size(), 1u);
}

TEST(TextFitTogether, BoxTooSmallForAnyFontEndsAtTheSmallestFont) {
    FakeText text;
    FitResult r = FitText({37, 50}, {8, 10}, kTileFit, [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
    EXPECT_LE(text.calls.size(), 51u);
    r = FitText({5, 5}, {20, 20}, kTileFit, [](FontSize) { return SIZE{1000, 1000}; });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
    // A browser row on a short screen (22 pixels): its text stops at a 12-pixel font.
    r = FitText({10, 20}, {400, 22}, kRowFit, [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{10, 12}));
    r = FitText({10, 20}, {20, 20}, kRowFit, [](FontSize) { return SIZE{1000, 1000}; });
    EXPECT_EQ(r.font, (FontSize{5, 12}));
}

TEST(TextFitWidthThenHeight, NarrowsFirstThenLowers) {
    FakeText text;
    FitResult r = FitText({70, 70}, {300, 60}, kPromptFit, [&](FontSize f) { return text(f); });
    EXPECT_EQ(r.font, (FontSize{29, 50}));  // 290 <= 300 - 5, 50 <= 60 - 10
    // Every step of the width loop keeps the height; the height loop keeps the final width.
    bool heightPhase = false;
    for (size_t i = 1; i < text.calls.size(); ++i) {
        if (text.calls[i].height != 70) heightPhase = true;
        if (heightPhase) {
            EXPECT_EQ(text.calls[i].width, 29) << i;
        } else {
            EXPECT_EQ(text.calls[i].width, 70 - static_cast<int>(i)) << i;
        }
    }
    EXPECT_TRUE(heightPhase);

    // The clock's box: 154 x 42 leaves 150 x 40.
    FakeText clock;
    r = FitText({20, 50}, {154, 42}, kClockFit, [&](FontSize f) { return clock(f); });
    EXPECT_EQ(r.font, (FontSize{15, 40}));
    EXPECT_EQ(r.text.cx, 150);

    FakeText wideEnough;
    r = FitText({20, 40}, {300, 100}, kPromptFit, [&](FontSize f) { return wideEnough(f); });
    EXPECT_EQ(r.font, (FontSize{20, 40}));
    EXPECT_EQ(wideEnough.calls.size(), 1u);

    FakeText hopeless;
    r = FitText({70, 70}, {4, 4}, kPromptFit, [&](FontSize f) { return hopeless(f); });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
    r = FitText({15, 40}, {0, 0}, kClockFit, [&](FontSize f) { return hopeless(f); });
    EXPECT_EQ(r.font, (FontSize{1, 1}));
}

}  // namespace
}  // namespace tessaly
