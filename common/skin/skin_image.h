#pragma once
// Skin pictures compiled into the executable: SkinImage (GDI+, PNG with alpha, drawable into a
// parallelogram) and SkinPicture (OLE picture, JPEG backgrounds stretched into a DC).
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/skin/jpeg_pixels.h"
#include "common/skin/resample.h"
#include "win32/handles.h"

namespace Gdiplus {
class Image;
}

namespace tessaly {

// A GDI+ image over a private copy of the resource bytes. The copy outlives the image because
// GDI+ decodes lazily from the stream.
class SkinImage {
public:
    SkinImage();
    ~SkinImage();
    SkinImage(const SkinImage&) = delete;
    SkinImage& operator=(const SkinImage&) = delete;

    Gdiplus::Image* image() const { return image_.get(); }
    bool ok() const;  // decoded without error
    UINT width() const;
    UINT height() const;
    // The bitmap whose pixels this image shows in place (WrapSkinBitmap), or null.
    HBITMAP viewOf() const { return viewOf_; }

private:
    friend bool LoadSkinImage(HRSRC found, HMODULE module, std::unique_ptr<SkinImage>& out);
    friend bool WrapSkinBitmap(HBITMAP dib, std::unique_ptr<SkinImage>& out);
    std::unique_ptr<Gdiplus::Image> image_;
    win32::GlobalMemory block_;
    HBITMAP viewOf_ = nullptr;
};

using SkinPicture = win32::ComPtr<IPicture>;

// Decodes the found resource into a new SkinImage; false when its data cannot be loaded (out is
// then left as it was).
bool LoadSkinImage(HRSRC found, HMODULE module, std::unique_ptr<SkinImage>& out);
// Looks up (id, type) in module and decodes it; out is left as it was when it is missing.
bool LoadSkinImageResource(HMODULE module, int id, const wchar_t* type,
                           std::unique_ptr<SkinImage>& out);

// A SkinImage over the pixels of a 32-bit top-down DIB section, without a copy: a picture that is
// already decoded and stretched is not decoded a second time. The DIB's owner must outlive the
// image (viewOf() tells whose it is). False, out left as it was, for any other bitmap.
bool WrapSkinBitmap(HBITMAP dib, std::unique_ptr<SkinImage>& out);

// 1 on success, 0 when JPEG resource id is missing or cannot be loaded.
int LoadSkinPicture(SkinPicture& picture, int id, HMODULE module = nullptr);
// Draws the whole picture stretched into the rectangle; an all-zero rectangle means the
// picture's natural size at (0, 0). Returns 1.
int DrawSkinPicture(HDC dc, const SkinPicture& picture, int left, int top, int right, int bottom);
// Draws the whole picture stretched over client (from (0, 0)) through an off-screen bitmap, so the
// screen gets one block copy and never shows the stretch in progress. False, nothing drawn, when
// there is no memory for the off-screen bitmap.
bool DrawSkinPictureOnce(HDC dc, const SkinPicture& picture, const RECT& client);
// A JPEG picture decoded by the system's imaging component, as 32-bit top-down rows (BGRX): for
// what DecodeJpegPixels refuses. False, out left as it was, when there is no such component, the
// data is not a picture, or a side is larger than kMaxResampleSide. Runs on any thread that has
// started COM.
bool DecodeJpegWithSystem(std::span<const std::byte> bytes, DecodedPixels& out);
// JPEG resource id stretched to size into a new 32-bit top-down DIB section; null when it is
// missing, cannot be decoded, a side is not in 1..kMaxResampleSide, or there is no memory.
// Decodes straight to pixels (DecodeJpegPixels, else DecodeJpegWithSystem) and resizes them with
// ResamplePixels (no device bitmap in between); where neither decodes it, draws through
// LoadSkinPicture and DrawSkinPicture, which look nearly the same. Runs on any thread: COM is
// started for the system's decoders only when stb refuses the picture. With `decoded`, the decoded pixels go there instead of being freed: freeing them
// takes milliseconds that a caller in a hurry can spend later.
win32::Bitmap StretchedSkinPicture(int id, SIZE size, HMODULE module = nullptr,
                                   DecodedPixels* decoded = nullptr);
// Size in device pixels of dc (or of the screen when dc is null); (0, 0) for an empty picture.
SIZE SkinPictureSize(const SkinPicture& picture, HDC dc = nullptr);

// The two pictures of the page-turn, shared by the main window and the program pages. Whoever
// holds them lives inside the GDI+ session (win32::GdiplusSession) that decoded them; each may be
// empty, and every user tests that first.
struct TurnPictures {
    std::unique_ptr<SkinImage> page;
    std::unique_ptr<SkinImage> menu;  // once the menu is up, a view of the main window's background
};

}  // namespace tessaly
