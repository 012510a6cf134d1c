#pragma once
// Per-pixel-alpha windows: a 32-bit premultiplied picture composed off screen and handed to the
// window system whole with UpdateLayeredWindow. The window itself draws nothing.
#include <windows.h>

#include <cstdint>

#include "win32/handles.h"

namespace win32 {

// A top-down 32-bit DIB section selected into a memory DC compatible with the screen. Pixels are
// premultiplied BGRA, all transparent after Create.
class LayeredCanvas {
public:
    LayeredCanvas() = default;
    LayeredCanvas(const LayeredCanvas&) = delete;
    LayeredCanvas& operator=(const LayeredCanvas&) = delete;

    // False (and an empty canvas) when the size is not positive or GDI refuses.
    bool Create(int width, int height);
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Row-major, `width()` pixels a row; null when empty.
    uint32_t* pixels() const { return bits_; }
    uint32_t Pixel(int x, int y) const;  // 0 outside the canvas

    // Shows the canvas' top-left `size` in `hwnd` at its current place, giving the window the
    // layered style first if it lacks it.
    bool Present(HWND hwnd, SIZE size) const;

private:
    MemoryDc dc_;
    Bitmap bitmap_;
    // Keeps the DIB selected while the canvas lives; declared last so it is put back first.
    struct Selection {
        HDC dc = nullptr;
        HGDIOBJ old = nullptr;
        ~Selection() {
            if (dc && old) ::SelectObject(dc, old);
        }
    } selection_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Adds WS_EX_LAYERED to a top-level window if it lacks it.
void MakeLayered(HWND hwnd);

}  // namespace win32
