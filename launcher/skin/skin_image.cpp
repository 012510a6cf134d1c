#include "launcher/skin/skin_image.h"

#include <algorithm>
#include <cstring>

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>

#include <shlwapi.h>

#include "win32/resource.h"

namespace tessaly {

SkinImage::SkinImage() = default;
SkinImage::~SkinImage() {
    image_.reset();
    // The block is the decoder's backing store; it goes only after the image.
    if (block_) ::GlobalFree(block_);
}

bool SkinImage::ok() const { return image_ && image_->GetLastStatus() == Gdiplus::Ok; }
UINT SkinImage::width() const { return ok() ? image_->GetWidth() : 0; }
UINT SkinImage::height() const { return ok() ? image_->GetHeight() : 0; }

bool LoadSkinImage(HRSRC found, HMODULE module, std::unique_ptr<SkinImage>& out) {
    if (!found) return false;
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL res = ::LoadResource(module, found);
    const void* data = res ? ::LockResource(res) : nullptr;
    if (!data || size == 0) return false;

    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return false;
    void* dst = ::GlobalLock(block);
    if (!dst) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(dst, data, size);
    ::GlobalUnlock(block);

    auto image = std::make_unique<SkinImage>();
    image->block_ = block;  // owned from here on
    win32::ComPtr<IStream> stream;
    if (SUCCEEDED(::CreateStreamOnHGlobal(block, FALSE, stream.put()))) {
        image->image_.reset(new Gdiplus::Image(stream.get()));
    }
    out = std::move(image);
    return true;
}

bool LoadSkinImageResource(HMODULE module, int id, const wchar_t* type,
                           std::unique_ptr<SkinImage>& out) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return false;
    return LoadSkinImage(found, module, out);
}

int LoadSkinPicture(SkinPicture& picture, int id, HMODULE module) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    auto bytes = win32::ResourceBytes(module, id, L"JPEG");
    if (bytes.empty()) return 0;
    win32::ComPtr<IStream> stream = win32::ComPtr<IStream>::Attach(
        ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    if (!stream) return 0;
    picture.reset();
    if (FAILED(::OleLoadPicture(stream.get(), 0, FALSE, IID_IPicture, picture.put_void()))) {
        picture.reset();
        return 0;
    }
    return 1;
}

int DrawSkinPicture(HDC dc, const SkinPicture& picture, int left, int top, int right, int bottom) {
    if (!picture) return 1;
    if (left == 0 && top == 0 && right == 0 && bottom == 0) {
        SIZE s = SkinPictureSize(picture, dc);
        right = s.cx;
        bottom = s.cy;
    }
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    // Averaging keeps a picture shrunk for a smaller screen smooth instead of speckled.
    int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    picture->Render(dc, left, top, right - left, bottom - top, 0, h, w, -h, nullptr);
    if (oldMode) ::SetStretchBltMode(dc, oldMode);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    return 1;
}

SIZE SkinPictureSize(const SkinPicture& picture, HDC dc) {
    if (!picture) return {0, 0};
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    HDC screen = nullptr;
    if (!dc) dc = screen = ::GetDC(nullptr);
    // 2540 high-metric units per inch.
    SIZE s{::MulDiv(w, ::GetDeviceCaps(dc, LOGPIXELSX), 2540),
           ::MulDiv(h, ::GetDeviceCaps(dc, LOGPIXELSY), 2540)};
    if (screen) ::ReleaseDC(nullptr, screen);
    return s;
}

std::unique_ptr<SkinImage>& TurnPageImage() {
    static std::unique_ptr<SkinImage> image;
    return image;
}
std::unique_ptr<SkinImage>& TurnMenuImage() {
    static std::unique_ptr<SkinImage> image;
    return image;
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}
GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace tessaly
