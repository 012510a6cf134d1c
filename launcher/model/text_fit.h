#pragma once
// Shrinking a font until its text fits a box: the one routine behind the tiles, the start prompt,
// the browser rows and the clock.
#include <windows.h>

#include <functional>

namespace tessaly {

// Character cell of a font: lfWidth and lfHeight.
struct FontSize {
    int width = 0;
    int height = 0;
    bool operator==(const FontSize&) const = default;
};

// Measures the text with a font of the given cell size.
using MeasureText = std::function<SIZE(FontSize)>;

struct FitResult {
    FontSize font;  // the size to build the font with
    SIZE text{};    // the text measured with that size
};

struct FitRule {
    int widthSpare = 0;   // pixels of the box's width the text leaves free
    int heightSpare = 0;  // and of its height
    // Both dimensions one step at a time together, or first the width until it fits, then the height.
    bool together = false;
};

// Tiles and browser rows: 10 pixels across and 16 down to spare, both shrinking together.
constexpr FitRule kTileFit{10, 16, true};
// The start prompt's caption: the width first, 5 pixels to spare, then the height, 10.
constexpr FitRule kPromptFit{5, 10, false};
// The clock: the width first, 4 pixels to spare, then the height, 2.
constexpr FitRule kClockFit{4, 2, false};

// Shrinks from start until measure() fits box under rule. Never below 1 in either dimension, so a
// box too small for any font ends with the smallest one instead of looping; a text that already
// fits is measured once and keeps its font.
FitResult FitText(FontSize start, SIZE box, const FitRule& rule, const MeasureText& measure);

}  // namespace tessaly
