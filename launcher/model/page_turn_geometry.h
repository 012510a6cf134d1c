#pragma once
// Frame geometry of the page-turn: where the three corner points of the picture stand in each
// frame, and at which frame the incoming picture takes over. No window, no drawing.
#include <vector>

namespace tessaly {

enum class TurnVariant {
    kScreen,       // menu background <-> program page background
    kPictureFlip,  // picture viewer
};

struct TurnPoint {
    float x = 0;
    float y = 0;
};

// Upper-left corner and size of the picture at rest. x is measured from the screen centre.
struct TurnPlacement {
    float x0 = 0;
    float y0 = 0;
    float w = 0;
    float h = 0;
};

struct TurnFrame {
    TurnPoint p0;            // upper left
    TurnPoint p1;            // upper right
    TurnPoint p2;            // lower left
    bool incoming = false;   // draws the to-picture
    bool switching = false;  // the first frame of the to-picture
};

// The screen transition stretches its pictures over the whole screen, starting at top.
TurnPlacement ScreenTurnPlacement(int top, int screenWidth, int screenHeight);
// The picture flip centres a picture smaller than the screen at its own size and squeezes a
// larger one to the screen, each direction on its own.
TurnPlacement FlipPlacement(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

// Every frame of one run, in order. direction is the tilt flag (0 or 1; the picture flip always
// tilts as 1). Empty when the screen is too small to step.
std::vector<TurnFrame> TurnFrames(TurnVariant variant, const TurnPlacement& placement,
                                  int screenWidth, int screenHeight, int direction);

// More frames than any screen can produce: a guard against a run that never ends.
constexpr int kMaxTurnFrames = 400;

}  // namespace tessaly
