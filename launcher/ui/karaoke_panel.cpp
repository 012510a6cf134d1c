#include "launcher/ui/karaoke_panel.h"

#include <algorithm>
#include <utility>

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>

#include "launcher/ui/messages.h"
#include "launcher/resources/resource.h"
#include "common/skin/skin_image.h"

namespace tessaly {

KaraokePanel::KaraokePanel(audio::KaraokeEffects& effects, audio::LineVolumeFn lineVolume)
    : win32::Dialog(IDD_KARAOKE_PANEL),
      model_(effects, std::move(lineVolume)),
      screenHeight_(::GetSystemMetrics(SM_CYSCREEN)) {}

KaraokePanel::~KaraokePanel() {
    for (auto& p : pictures_) p.reset();
    model_.Shutdown();
}

bool KaraokePanel::Create() { return win32::Dialog::Create(nullptr); }

BOOL KaraokePanel::OnInitDialog() {
    for (size_t i = 0; i < pictures_.size(); ++i) {
        LoadSkinImageResource(win32::AppInstance(), IDP_PANEL_FIRST + static_cast<int>(i), L"PNG", pictures_[i]);
    }
    const SkinImage* background = pictures_[0].get();
    const int pictureWidth = background ? static_cast<int>(background->width()) : 0;
    const int pictureHeight = background ? static_cast<int>(background->height()) : 0;
    const audio::PanelPlace place =
        audio::PlacePanel(pictureWidth, pictureHeight, ::GetSystemMetrics(SM_CXSCREEN), screenHeight_);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, place.left, place.top, place.width, place.height, SWP_NOACTIVATE);
    model_.Start();
    Redraw();
    // No focus and no foreground here: the panel is hidden now and never takes the keyboard.
    return FALSE;
}

void KaraokePanel::Show(bool show) {
    if (!hwnd_) return;
    if (show) {
        Redraw();
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

bool KaraokePanel::IsShown() const { return hwnd_ && ::IsWindowVisible(hwnd_); }

void KaraokePanel::QueueKey(HWND panel, int vk) {
    if (panel) ::PostMessageW(panel, kMsgPanelKey, static_cast<WPARAM>(vk), 0);
}

bool KaraokePanel::PreTranslateMessage(MSG& msg) {
    // Enter and Escape never end the panel.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) return true;
    return win32::Dialog::PreTranslateMessage(msg);
}

std::optional<LRESULT> KaraokePanel::OnMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case kMsgPanelKey:
        if (model_.Key(static_cast<int>(wp))) Redraw();
        return 1;
    case WM_PAINT: {
        win32::PaintDc paint(hwnd_);  // validates; the picture goes out through Redraw
        Redraw();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return std::nullopt;
    }
}

SIZE KaraokePanel::WindowSize() const {
    RECT r{};
    if (hwnd_) ::GetWindowRect(hwnd_, &r);
    return {r.right - r.left, r.bottom - r.top};
}

bool KaraokePanel::Compose(win32::LayeredCanvas& canvas) const {
    const SIZE size = WindowSize();
    if (!canvas.Create(size.cx + 1, size.cy + 1)) return false;
    Gdiplus::Bitmap target(canvas.width(), canvas.height(), canvas.width() * 4, PixelFormat32bppPARGB,
                           reinterpret_cast<BYTE*>(canvas.pixels()));
    Gdiplus::Graphics g(&target);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    for (const audio::PanelPicture& p :
         audio::PanelPictures(model_.settings(), screenHeight_, size.cx, size.cy)) {
        const size_t index = static_cast<size_t>(p.id - IDP_PANEL_FIRST);
        if (index >= pictures_.size() || !pictures_[index] || !pictures_[index]->image()) continue;
        g.DrawImage(pictures_[index]->image(), Gdiplus::RectF(p.x, p.y, p.width, p.height));
    }
    g.Flush(Gdiplus::FlushIntentionSync);
    return true;
}

void KaraokePanel::Redraw() {
    win32::LayeredCanvas canvas;
    if (Compose(canvas)) canvas.Present(hwnd_, WindowSize());
}

}  // namespace tessaly
