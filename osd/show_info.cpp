#include "osd/show_info.h"

#include <shlwapi.h>

#include "osd/osd_display.h"
#include "osd/osd_keys.h"
#include "osd/resource.h"
#include "win32/resource.h"

namespace osd {

unsigned osdVolume = 0;
int osdMuted = 0;
BYTE osdBusy = 0;

namespace {

// The DC of the whole window, frame included.
class WholeWindowDc {
public:
    explicit WholeWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetWindowDC(hwnd)) {}
    ~WholeWindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    WholeWindowDc(const WholeWindowDc&) = delete;
    WholeWindowDc& operator=(const WholeWindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace

win32::ComPtr<IPicture> LoadJpegResource(HMODULE module, int id) {
    win32::ComPtr<IPicture> picture;
    auto bytes = win32::ResourceBytes(module, id, L"JPEG");
    if (bytes.empty() || bytes.size() > MAXDWORD) return picture;
    auto stream = win32::ComPtr<IStream>::Attach(
        ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    if (!stream) return picture;
    if (FAILED(::OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                picture.put_void())))
        picture.reset();
    return picture;
}

CShow_Info::CShow_Info(VolumeControl& volume) : win32::Dialog(IDD_SHOW_INFO), volume_(volume) {
    volume_.Read(osdVolume, osdMuted);
}

BOOL CShow_Info::OnInitDialog() {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    ::SetWindowPos(hwnd_, HWND_TOPMOST, screenWidth - kBoxRightOffset, kBoxTop, kBoxWidth, kBoxHeight,
                   SWP_NOACTIVATE);
    created_ = true;
    return FALSE;  // no focus for a box that never takes input
}

void CShow_Info::OnClose() {
    ::KillTimer(hwnd_, kHideTimer);
    ::ShowWindow(hwnd_, SW_HIDE);
}

void CShow_Info::RestartTimer() { ::SetTimer(hwnd_, kHideTimer, kHideAfterMs, nullptr); }

void CShow_Info::ShowNoActivate() {
    // The box must never take the focus from the program the user is watching.
    ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void CShow_Info::ShowVolume(WPARAM key) {
    if (!hwnd_) return;
    RestartTimer();
    // The system toggles the mute itself (the hook passes the key on); give it time first.
    if (key == kMuteKey) ::Sleep(kMuteSettleMs);
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

void CShow_Info::ShowPicture(unsigned code) {
    if (!hwnd_) return;
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
        picture_ = LoadJpegResource(win32::AppInstance(), id);
        if (picture_) pictureId_ = id;
    }
    content_ = picture_ ? Content::Picture : Content::Nothing;
    Render();
}

void CShow_Info::Render() {
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

void CShow_Info::DrawBitmap() {
    if (!bitmap_) return;
    // The bar covers the whole box, frame included, 1:1.
    WholeWindowDc dc(hwnd_);
    if (!dc.get()) return;
    win32::MemoryDc memory(::CreateCompatibleDC(dc.get()));
    if (!memory) return;
    win32::SelectedObject selected(memory.get(), bitmap_.get());
    ::BitBlt(dc.get(), 0, 0, kBoxWidth, kBoxHeight, memory.get(), 0, 0, SRCCOPY);
}

void CShow_Info::DrawPicture() {
    if (!picture_) return;
    win32::WindowDc dc(hwnd_);
    if (!dc) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // Source rectangle upwards from the bottom: the picture comes out upright.
    picture_->Render(dc.get(), 0, 0, client.right, client.bottom, 0, height, width, -height, nullptr);
}

std::optional<LRESULT> CShow_Info::OnMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_TIMER:
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
