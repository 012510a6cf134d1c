#include "launcher/model/page_turn_geometry.h"

#include <algorithm>

namespace tessaly {

TurnPlacement ScreenTurnPlacement(int top, int screenWidth, int screenHeight) {
    return {static_cast<float>(-(screenWidth / 2)), static_cast<float>(top),
            static_cast<float>(screenWidth), static_cast<float>(screenHeight)};
}

TurnPlacement FlipPlacement(int pictureWidth, int pictureHeight, int screenWidth,
                            int screenHeight) {
    TurnPlacement p;
    if (pictureWidth >= screenWidth) {
        p.x0 = static_cast<float>(-(screenWidth / 2));
        p.w = static_cast<float>(screenWidth);
    } else {
        p.x0 = static_cast<float>(-(pictureWidth / 2));
        p.w = static_cast<float>(pictureWidth);
    }
    if (pictureHeight >= screenHeight) {
        p.y0 = 0;
        p.h = static_cast<float>(screenHeight);
    } else {
        p.y0 = static_cast<float>((screenHeight - pictureHeight) / 2);
        p.h = static_cast<float>(pictureHeight);
    }
    return p;
}

std::vector<TurnFrame> TurnFrames(TurnVariant variant, const TurnPlacement& placement,
                                  int screenWidth, int screenHeight, int direction) {
    const bool flip = variant == TurnVariant::kPictureFlip;
    const int stepX = flip ? screenWidth * 50 / 1280 : screenWidth / 15;
    const float sx = static_cast<float>(stepX);
    const float sy = flip ? 5.0f : static_cast<float>(screenHeight / 200);
    // Tilt: +1 lifts the upper-left corner while folding (direction 1), -1 lowers it.
    const float tilt = (flip || direction != 0) ? 1.0f : -1.0f;

    std::vector<TurnFrame> frames;
    if (stepX < 1) return frames;

    TurnFrame f;
    f.p0 = {placement.x0, placement.y0};
    f.p1 = {placement.x0 + placement.w, placement.y0};
    f.p2 = {placement.x0, placement.y0 + placement.h};
    bool unfolding = false;

    // Direction 0 keeps the upper-right corner at or above 0, direction 1 at or below it; the
    // flip only clamps while unfolding.
    auto clamp = [&](bool unfoldPhase) {
        if (flip && !unfoldPhase) return;
        f.p1.y = tilt > 0 ? std::max(f.p1.y, 0.0f) : std::min(f.p1.y, 0.0f);
    };
    auto fold = [&] {
        f.p0.x += sx;
        f.p1.x -= sx;
        f.p2.x += sx;
        f.p0.y -= tilt * sy;
        f.p1.y += tilt * sy;
        clamp(false);
    };
    auto unfold = [&] {
        f.p0.x -= sx;
        f.p1.x += sx;
        f.p2.x -= sx;
        f.p0.y += tilt * sy;
        f.p1.y -= tilt * sy;
        clamp(true);
    };

    while (static_cast<int>(frames.size()) < kMaxTurnFrames) {
        f.switching = false;
        if (!unfolding && f.p0.x >= -2.0f) {
            unfolding = true;
            f.incoming = true;
            f.switching = true;
            // The flip's switching frame still folds: the new picture appears mirrored.
            if (flip) {
                fold();
                frames.push_back(f);
                continue;
            }
        }
        if (!unfolding) {
            fold();
        } else {
            unfold();
            if (f.p0.x < placement.x0) break;
        }
        frames.push_back(f);
    }
    return frames;
}

}  // namespace tessaly
