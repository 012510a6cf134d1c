#pragma once
// Layouts are designed for a reference screen and scaled with integer arithmetic:
// multiply first, then divide, truncating each term on its own.
namespace win32 {

constexpr int Scale(int screen, int n, int reference) {
    return static_cast<int>(static_cast<long long>(screen) * n / reference);
}
constexpr int ScaleX(int cx, int n) { return Scale(cx, n, 1920); }
constexpr int ScaleY(int cy, int n) { return Scale(cy, n, 1024); }

struct ScreenSize {
    int cx = 0;
    int cy = 0;
};

// The primary screen's size in pixels, read at the time of use.
ScreenSize PrimaryScreen();

}  // namespace win32
