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
    // Never below this cell: a text that does not fit then is clipped instead.
    FontSize smallest{1, 1};
};

// Tiles and browser rows: 10 pixels across and 16 down to spare, both shrinking together.
constexpr FitRule kTileFit{10, 16, true};
// Browser rows: as tiles, but never below a 12-pixel font (5 wide), readable from the sofa on the
// smallest screen.
constexpr FitRule kRowFit{10, 16, true, {5, 12}};
// The start prompt's caption: the width first, 5 pixels to spare, then the height, 10.
constexpr FitRule kPromptFit{5, 10, false};
// The clock: the width first, 4 pixels to spare, then the height, 2.
constexpr FitRule kClockFit{4, 2, false};

// Shrinks from start until measure() fits box under rule. Never below the rule's smallest cell (1 in
// either dimension unless it says), so a box too small for any font ends with that one instead of
// looping; a text that already
// fits is measured once and keeps its font.
FitResult FitText(FontSize start, SIZE box, const FitRule& rule, const MeasureText& measure);

}  // namespace tessaly
