#include "common/skin/skin_image.h"

#include <algorithm>
#include <cstring>

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>
#include <wincodec.h>

#include "common/skin/resample.h"
#include "win32/dib.h"
#include "win32/resource.h"

namespace tessaly {

SkinImage::SkinImage() = default;
SkinImage::~SkinImage() {
    // The block is the decoder's backing store; it goes only after the image.
    image_.reset();
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

    win32::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    void* dst = ::GlobalLock(block.get());
    if (!dst) return false;
    std::memcpy(dst, data, size);
    ::GlobalUnlock(block.get());

    auto image = std::make_unique<SkinImage>();
    image->block_ = std::move(block);
    win32::ComPtr<IStream> stream;
    if (SUCCEEDED(::CreateStreamOnHGlobal(image->block_.get(), FALSE, stream.put()))) {
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
    // A stream over a block of our own: shlwapi's memory stream has no name before Vista.
    win32::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    void* dst = block ? ::GlobalLock(block.get()) : nullptr;
    if (!dst) return 0;
    std::memcpy(dst, bytes.data(), bytes.size());
    ::GlobalUnlock(block.get());
    win32::ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.get(), TRUE, stream.put())) || !stream) return 0;
    block.release();  // the stream frees it
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

bool DrawSkinPictureOnce(HDC dc, const SkinPicture& picture, const RECT& client) {
    win32::MemoryDc memory(::CreateCompatibleDC(dc));
    win32::Bitmap frame(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!memory || !frame) return false;
    win32::SelectedObject selected(memory.get(), frame.get());
    DrawSkinPicture(memory.get(), picture, 0, 0, client.right, client.bottom);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    return true;
}

bool DecodeJpegWithSystem(std::span<const std::byte> bytes, DecodedPixels& out) {
    win32::ComPtr<IWICImagingFactory> factory;
    if (bytes.empty() || bytes.size() > MAXDWORD ||
        FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.put_void()))) {
        return false;
    }
    win32::ComPtr<IWICStream> stream;
    win32::ComPtr<IWICBitmapDecoder> decoder;
    win32::ComPtr<IWICBitmapFrameDecode> frame;
    win32::ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<std::byte*>(bytes.data())), static_cast<DWORD>(bytes.size()))) ||
        // The JPEG decoder by name: asking every registered decoder whether it knows the data
        // costs more than the decoding.
        FAILED(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.put())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.put())) || FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return false;
    }
    // Bounded so that the row stride and the byte count stay within a UINT.
    if (width == 0 || height == 0 || width > kMaxResampleSide || height > kMaxResampleSide) return false;
    const size_t count = static_cast<size_t>(width) * height;
    std::unique_ptr<uint32_t[], FreePixels> pixels(static_cast<uint32_t*>(AllocPixelMemory(count * 4)));
    if (!pixels || FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(count * 4),
                                                reinterpret_cast<BYTE*>(pixels.get())))) {
        return false;
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels = std::move(pixels);
    return true;
}

namespace {

// The resource's pixels as 32-bit top-down rows; false when it is missing or not a picture.
bool DecodeSkinJpeg(int id, HMODULE module, DecodedPixels& out) {
    auto bytes = win32::ResourceBytes(module, id, L"JPEG");
    if (DecodeJpegPixels(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), kMaxResampleSide, out)) {
        return true;
    }
    win32::ComInit com(COINIT_MULTITHREADED);
    return DecodeJpegWithSystem(bytes, out);
}

}  // namespace

win32::Bitmap StretchedSkinPicture(int id, SIZE size, HMODULE module, DecodedPixels* decoded) {
    if (!module) module = ::GetModuleHandleW(nullptr);
    if (size.cx <= 0 || size.cy <= 0 || size.cx > kMaxResampleSide || size.cy > kMaxResampleSide) return {};
    uint32_t* bits = nullptr;
    win32::Bitmap stretched = win32::CreateTopDownDib(size.cx, size.cy, &bits);
    if (!stretched) return {};
    DecodedPixels pixels;
    if (DecodeSkinJpeg(id, module, pixels)) {
        // Resized here rather than by the system's stretch: several times faster, and the same
        // pixels on every system.
        const PixelRect from{pixels.pixels.get(), pixels.count(), pixels.width, pixels.height};
        const size_t count = static_cast<size_t>(size.cx) * size.cy;
        if (!ResamplePixels(from, PixelRect{bits, count, size.cx, size.cy})) return {};
        if (decoded) *decoded = std::move(pixels);
        return stretched;
    }
    // The system's decoders want COM, which stb does not: started only for them.
    win32::ComInit com(COINIT_MULTITHREADED);
    SkinPicture picture;
    if (!LoadSkinPicture(picture, id, module)) return {};
    win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};
    {
        win32::SelectedObject keep(dc.get(), stretched.get());
        DrawSkinPicture(dc.get(), picture, 0, 0, size.cx, size.cy);
    }
    ::GdiFlush();
    return stretched;
}

SIZE SkinPictureSize(const SkinPicture& picture, HDC dc) {
    if (!picture) return {0, 0};
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    win32::WindowDc screen(nullptr);
    if (!dc) dc = screen.get();
    // 2540 high-metric units per inch.
    return SIZE{::MulDiv(w, ::GetDeviceCaps(dc, LOGPIXELSX), 2540), ::MulDiv(h, ::GetDeviceCaps(dc, LOGPIXELSY), 2540)};
}

}  // namespace tessaly
