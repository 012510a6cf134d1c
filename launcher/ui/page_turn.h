#pragma once
// The page-turn animation. Pictures are decoded by GDI+ and rendered once into a memory bitmap;
// each frame then draws that bitmap into the frame's parallelogram with PlgBlt (a skewed GDI+
// draw of a full-screen picture is far too slow to animate).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launcher/model/page_turn_geometry.h"
#include "win32/handles.h"

namespace Gdiplus {
class Image;
}

namespace tessaly {

class SkinImage;

// A picture rendered at a fixed size into a memory bitmap, drawable into any parallelogram.
// Narrower copies (each half the width of the one before) keep the cost of a narrow frame low:
// a stretch costs as much as its source is large.
class TurnPicture {
public:
    // Renders image stretched to width x height on black; null when it cannot.
    // natural is the picture's own size, which decides where the picture flip places it.
    static std::unique_ptr<TurnPicture> Render(Gdiplus::Image* image, int width, int height,
                                               SIZE natural);
    ~TurnPicture();
    TurnPicture(const TurnPicture&) = delete;
    TurnPicture& operator=(const TurnPicture&) = delete;

    HDC dc() const { return levels_.front()->dc.get(); }  // full size
    int width() const { return levels_.front()->width; }
    int height() const { return height_; }
    SIZE natural() const { return natural_; }

    // Draws the picture into the parallelogram upper-left, upper-right, lower-left.
    void DrawInto(HDC dc, const POINT (&points)[3]) const;

private:
    struct Level {
        win32::Bitmap bitmap;
        win32::MemoryDc dc;
        std::unique_ptr<win32::SelectedObject> selected;  // goes first: the bitmap leaves the DC
        int width = 0;
    };
    TurnPicture() = default;
    bool AddLevel(HDC compatible, int width);

    std::vector<std::unique_ptr<Level>> levels_;
    int height_ = 0;
    SIZE natural_{};
};

struct TurnOptions {
    // Shortest time per frame in milliseconds; 0 draws frames back to back. Fast machines turn
    // 16 frames in a blink, so the launcher paces them at about 60 a second.
    int frameIntervalMs = 16;
    // Called after each frame has reached the target, with the frame's number from 0.
    std::function<void(int frame)> afterFrame;
    // Asked before each frame after the first: true ends the picture flip at once on its last
    // frame (a key waits, and the user wants what it asks for, not the rest of this turn).
    std::function<bool()> stopEarly;
};

// Screen transition between two full-screen pictures over rectangle r of target, tilt per
// direction (0 or 1). Either picture may be absent: its frames stay black. Returns the number
// of frames drawn.
int PlayPageTurn(HDC target, const RECT& r, const SkinImage* from, const SkinImage* to,
                 int direction, const TurnOptions& options = {});

// Picture flip over the whole screen of the viewer, with caption in green across the top.
// oldPicture is released at the switch (or when stopped early); either may be absent. Returns the
// frames drawn, the resting one of an early stop included.
int PlayPictureFlip(HDC target, SIZE screen, std::unique_ptr<TurnPicture>& oldPicture,
                    const TurnPicture* newPicture, const std::wstring& caption,
                    const TurnOptions& options = {});

// The flip's last frame, for a repaint without a change of picture.
void DrawPictureAtRest(HDC target, SIZE screen, const TurnPicture* picture,
                       const std::wstring& caption);

// Height of the caption band of the picture flip, in pixels.
constexpr int kCaptionBand = 70;

}  // namespace tessaly
