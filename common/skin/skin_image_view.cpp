// Kept apart from skin_image.cpp: a program that only decodes pictures does not import what a view
// over a bitmap needs.
#include "common/skin/skin_image.h"

#include <algorithm>

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace tessaly {

bool WrapSkinBitmap(HBITMAP dib, std::unique_ptr<SkinImage>& out) {
    DIBSECTION section{};
    if (!dib || ::GetObjectW(dib, sizeof section, &section) != sizeof section) return false;
    const BITMAP& bm = section.dsBm;
    if (!bm.bmBits || bm.bmBitsPixel != 32 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    // The section does not tell which way up it was made (its header reports a positive height
    // either way): the caller's top-down rows are taken as they lie.
    auto image = std::make_unique<SkinImage>();
    image->image_.reset(new Gdiplus::Bitmap(bm.bmWidth, bm.bmHeight, bm.bmWidthBytes, PixelFormat32bppRGB,
                                            static_cast<BYTE*>(bm.bmBits)));
    image->viewOf_ = dib;
    out = std::move(image);
    return true;
}

}  // namespace tessaly
