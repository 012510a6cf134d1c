#pragma once
// 32-bit top-down device-independent bitmaps: the one layout our pixel code writes (BGRA rows, no
// padding, first row at the top).
#include <windows.h>

#include <cstdint>

#include "win32/handles.h"

namespace win32 {

inline BITMAPINFO TopDownDibInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A DIB section of that layout and its pixels; empty (and *pixels null) when GDI refuses.
inline Bitmap CreateTopDownDib(int width, int height, std::uint32_t** pixels, HDC dc = nullptr) {
    *pixels = nullptr;
    if (width <= 0 || height <= 0) return Bitmap();
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* bits = nullptr;
    Bitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return Bitmap();
    *pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

}  // namespace win32
