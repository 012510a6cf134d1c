#include "win32/layered_window.h"

#include "win32/dib.h"

namespace win32 {

bool LayeredCanvas::Create(int width, int height) {
    if (selection_.dc && selection_.old) ::SelectObject(selection_.dc, selection_.old);
    selection_ = {};
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0) return false;

    WindowDc screen(nullptr);
    dc_.reset(::CreateCompatibleDC(screen.get()));
    if (!dc_) return false;
    uint32_t* bits = nullptr;
    bitmap_ = CreateTopDownDib(width, height, &bits, screen.get());
    if (!bitmap_) {
        dc_.reset();
        return false;
    }
    selection_.dc = dc_.get();
    selection_.old = ::SelectObject(dc_.get(), bitmap_.get());
    bits_ = bits;
    width_ = width;
    height_ = height;
    ::GdiFlush();
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) bits_[i] = 0;
    return true;
}

uint32_t LayeredCanvas::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    ::GdiFlush();
    return bits_[static_cast<size_t>(y) * width_ + x];
}

void MakeLayered(HWND hwnd) {
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
}

bool LayeredCanvas::Present(HWND hwnd, SIZE size) const {
    if (!dc_ || !hwnd || size.cx <= 0 || size.cy <= 0 || size.cx > width_ || size.cy > height_) return false;
    MakeLayered(hwnd);
    ::GdiFlush();
    RECT place{};
    ::GetWindowRect(hwnd, &place);
    POINT at{place.left, place.top};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    WindowDc screen(nullptr);
    return ::UpdateLayeredWindow(hwnd, screen.get(), &at, &size, dc_.get(), &source, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace win32
