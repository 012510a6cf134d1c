// Kept apart from skin_image.cpp: a program that only decodes pictures does not import what a view
// over a bitmap needs.
#include "launcher/skin/skin_image.h"

#include <algorithm>

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace tessaly {

bool WrapSkinBitmap(HBITMAP dib, std::unique_ptr<SkinImage>& out) {
    uint32_t* pixels = nullptr;
    SIZE size{};
    // The caller's top-down rows are taken as they lie.
    if (!PixelSectionOf(dib, pixels, size)) return false;
    auto image = std::make_unique<SkinImage>();
    image->image_.reset(new Gdiplus::Bitmap(size.cx, size.cy, size.cx * 4, PixelFormat32bppRGB,
                                            reinterpret_cast<BYTE*>(pixels)));
    image->viewOf_ = dib;
    out = std::move(image);
    return true;
}

}  // namespace tessaly
