#include "osd/osd_box.h"

#include "common/skin/skin_image.h"

#include "osd/osd_display.h"
#include "osd/osd_keys.h"
#include "osd/resource.h"
#include "win32/resource.h"

namespace osd {

unsigned osdVolume = 0;
int osdMuted = 0;
BYTE osdBusy = 0;

OsdBox::OsdBox(VolumeControl& volume) : win32::Dialog(IDD_SHOW_INFO), volume_(volume) {
    volume_.Read(osdVolume, osdMuted);
}

BOOL OsdBox::OnInitDialog() {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, screenWidth - kBoxRightOffset, kBoxTop, kBoxWidth, kBoxHeight,
                   SWP_NOACTIVATE);
    created_ = true;
    return FALSE;  // no focus for a box that never takes input
}

void OsdBox::OnClose() {
    ::KillTimer(hwnd_, kHideTimer);
    ::ShowWindow(hwnd_, SW_HIDE);
}

void OsdBox::RestartTimer() { ::SetTimer(hwnd_, kHideTimer, kHideAfterMs, nullptr); }

void OsdBox::ShowNoActivate() {
    // The box must never take the focus from the program the user is watching, and must come
    // above every other top-most window shown since (a full-screen player, the launcher's panels).
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void OsdBox::ShowVolume(WPARAM key) {
    if (!hwnd_) return;
    RestartTimer();
    if (key == kMuteKey) {
        // The system toggles the mute itself (the hook passes the key on); give it time first.
        // A timer, not a sleep: this thread also runs the keyboard hook, which the system drops
        // for good when it does not answer in time.
        ::SetTimer(hwnd_, kMuteSettleTimer, kMuteSettleMs, nullptr);
        muteDisplaySuperseded_ = false;
        return;
    }
    ShowVolumeNow(key);
}

void OsdBox::ShowVolumeNow(WPARAM key) {
    ShowNoActivate();
    if (key == kVolumeUpKey) {
        osdVolume = VolumeAfterUp(osdVolume);
        volume_.Apply(osdVolume, osdMuted);
    } else if (key == kVolumeDownKey) {
        osdVolume = VolumeAfterDown(osdVolume);
        volume_.Apply(osdVolume, osdMuted);
    } else if (key == kMuteKey) {
        volume_.Read(osdVolume, osdMuted);
    }
    const int id = VolumeBitmap(osdVolume, osdMuted);
    if (id != bitmapId_ || !bitmap_) {
        bitmap_.reset(static_cast<HBITMAP>(
            ::LoadImageW(win32::AppInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        bitmapId_ = id;
    }
    content_ = Content::Bitmap;
    DrawBitmap();
}

void OsdBox::ShowPicture(unsigned code) {
    if (!hwnd_) return;
    muteDisplaySuperseded_ = true;
    ShowNoActivate();
    RestartTimer();
    picture_.reset();
    pictureId_ = 0;
    content_ = Content::Nothing;
    if (code > kLastPictureCode) {
        ::KillTimer(hwnd_, kHideTimer);
        ::ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    if (int id = PictureForCode(code)) {
        tessaly::LoadSkinPicture(picture_, id, win32::AppInstance());
        if (picture_) pictureId_ = id;
    }
    content_ = picture_ ? Content::Picture : Content::Nothing;
    Render();
}

void OsdBox::Render() {
    switch (content_) {
        case Content::Bitmap: DrawBitmap(); break;
        case Content::Picture: DrawPicture(); break;
        case Content::Nothing: {
            // A key without a picture: a plain dark box rather than whatever was there before.
            win32::WindowDc dc(hwnd_);
            RECT client{};
            ::GetClientRect(hwnd_, &client);
            if (dc) ::FillRect(dc.get(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            break;
        }
    }
}

void OsdBox::DrawBitmap() {
    if (!bitmap_) return;
    // The bar covers the whole box, frame included, 1:1.
    win32::WindowDc dc(hwnd_, win32::WindowDc::kWholeWindow);
    if (!dc.get()) return;
    win32::MemoryDc memory(::CreateCompatibleDC(dc.get()));
    if (!memory) return;
    win32::SelectedObject selected(memory.get(), bitmap_.get());
    ::BitBlt(dc.get(), 0, 0, kBoxWidth, kBoxHeight, memory.get(), 0, 0, SRCCOPY);
}

void OsdBox::DrawPicture() {
    if (!picture_) return;
    win32::WindowDc dc(hwnd_);
    if (!dc) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    tessaly::DrawSkinPicture(dc.get(), picture_, 0, 0, client.right, client.bottom);
}

std::optional<LRESULT> OsdBox::OnMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_TIMER:
            if (wp == kMuteSettleTimer) {
                ::KillTimer(hwnd_, kMuteSettleTimer);
                if (muteDisplaySuperseded_) {
                    volume_.Read(osdVolume, osdMuted);
                } else {
                    ShowVolumeNow(kMuteKey);
                }
                return 0;
            }
            if (wp != kHideTimer) return std::nullopt;
            ::KillTimer(hwnd_, kHideTimer);
            ::ShowWindow(hwnd_, SW_HIDE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the content covers the whole box
        case WM_NCPAINT:
            // The bar is drawn over the frame as well; pictures keep the frame.
            if (content_ != Content::Bitmap) return std::nullopt;
            DrawBitmap();
            return 0;
        case WM_PAINT: {
            // Repaint what the box holds, so a box that was covered comes back whole.
            win32::PaintDc paint(hwnd_);
            Render();
            return 0;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace osd
