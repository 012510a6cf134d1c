#pragma once
// The arithmetic behind the skinned tiles and the start-prompt button, free of window handles.
#include <windows.h>

#include <string>

#include "launcher/model/text_fit.h"

namespace tessaly {

constexpr COLORREF kOutlineHighlighted = 0xFFFFFF;
constexpr COLORREF kOutlineNormal = 0x161616;
constexpr COLORREF kCaptionColour = 0xFFFFFF;

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
