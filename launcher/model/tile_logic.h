#pragma once
// The arithmetic behind the skinned tiles and the start-prompt button, free of window handles.
#include <windows.h>

#include <functional>
#include <string>

namespace tessaly {

constexpr COLORREF kOutlineHighlighted = 0xFFFFFF;
constexpr COLORREF kOutlineNormal = 0x161616;
constexpr COLORREF kCaptionColour = 0xFFFFFF;

// Character cell of a font: lfWidth and lfHeight.
struct FontSize {
    int width = 0;
    int height = 0;
    bool operator==(const FontSize&) const = default;
};

// Outline width of every tile: thinner on small screens.
int TilePenWidth(int cx);

// Main-menu tile font before fitting: wide screens scale the width, small screens pick by the
// display's pixels per inch.
FontSize MenuTileFontSize(int cx, int logPixels);

// Page and select-dialog entry font.
FontSize EntryFontSize(int cx, int cy);

// The outline as a polyline of five points (the last one closes it), inset by half the pen so
// the whole stroke stays inside the client rectangle.
struct OutlinePath {
    POINT points[5];
};
OutlinePath TileOutline(const RECT& client, int penWidth);

// Measures the caption with a font of the given cell size.
using MeasureText = std::function<SIZE(FontSize)>;

struct FitResult {
    FontSize font;  // the size to build the font with
    SIZE text{};    // the caption measured with that size
};

// Main-menu tile: shrink width and/or height one step at a time until the caption fits with 10
// pixels across and 16 down to spare. Neither dimension goes below 1, so a tile too small for
// any font ends the loop with the smallest font instead of spinning.
FitResult FitMenuTileFont(FontSize start, const RECT& client, const MeasureText& measure);

// Start-prompt caption: first narrow the characters until the width fits textRect less 5, then
// lower them until the height fits textRect less 10. Same floor of 1.
FitResult FitButtonCaption(FontSize start, const RECT& textRect, const MeasureText& measure);

// The start prompt's one-second countdown: captions from 11 down to 0, and the close request on
// the tick that shows 0. Once finished or stopped, further ticks do nothing.
class Countdown {
public:
    static constexpr int kStart = 11;

    struct Tick {
        bool counted = false;  // false: the countdown is over or stopped, ignore the tick
        std::wstring caption;
        bool close = false;    // ask the parent to close now
    };

    Tick Next();
    void Stop() { stopped_ = true; }
    int remaining() const { return count_; }
    bool running() const { return !stopped_ && count_ >= 0; }

private:
    int count_ = kStart;
    bool stopped_ = false;
};

std::wstring CountdownCaption(int count);

}  // namespace tessaly
