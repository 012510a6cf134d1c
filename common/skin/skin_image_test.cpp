#include "common/skin/skin_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

using std::max;
using std::min;
#include <gdiplus.h>

namespace tessaly {
namespace {

class SkinImages : public ::testing::Test {
protected:
    win32::GdiplusSession gdiplus;
    win32::ComInit com;
};

TEST_F(SkinImages, PngDecodesWithAlphaAndMissingResourcesLeaveTheTargetAlone) {
    std::unique_ptr<SkinImage> icon;
    ASSERT_TRUE(LoadSkinImageResource(nullptr, 237, L"PNG", icon));
    ASSERT_TRUE(icon);
    EXPECT_TRUE(icon->ok());
    EXPECT_EQ(icon->width(), 27u);
    EXPECT_EQ(icon->height(), 27u);
    EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(icon->image()->GetPixelFormat()));

    SkinImage* before = icon.get();
    EXPECT_FALSE(LoadSkinImageResource(nullptr, 999, L"PNG", icon));
    EXPECT_EQ(icon.get(), before);

    // Bytes that are no picture give an image that exists but draws nothing.
    std::unique_ptr<SkinImage> broken;
    ASSERT_TRUE(LoadSkinImageResource(nullptr, 300, L"JPEG", broken));
    EXPECT_FALSE(broken->ok());
    EXPECT_EQ(broken->width(), 0u);
}

TEST_F(SkinImages, LoadingAgainReleasesTheFirstPictureAndFailuresReport0) {
    SkinPicture picture;
    EXPECT_EQ(LoadSkinPicture(picture, 999), 0);
    EXPECT_FALSE(picture);
    EXPECT_EQ(SkinPictureSize(picture, nullptr).cx, 0);

    ASSERT_EQ(LoadSkinPicture(picture, 216), 1);
    IPicture* first = picture.get();
    first->AddRef();
    ASSERT_EQ(LoadSkinPicture(picture, 216), 1);
    EXPECT_NE(picture.get(), first);
    EXPECT_EQ(first->Release(), 0u);  // ours was the last reference

    EXPECT_EQ(LoadSkinPicture(picture, 300), 0);  // not a picture
    EXPECT_FALSE(picture);
}

TEST_F(SkinImages, DrawStretchesOrUsesTheNaturalSizeForAnAllZeroRectangle) {
    SkinPicture picture;
    ASSERT_EQ(LoadSkinPicture(picture, 216), 1);
    win32::WindowDc screen(nullptr);
    win32::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    win32::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 100, 100));
    win32::SelectedObject keep(dc.get(), bitmap.get());
    RECT all{0, 0, 100, 100};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

    SIZE natural = SkinPictureSize(picture, dc.get());
    EXPECT_EQ(natural.cx, 40 * ::GetDeviceCaps(dc.get(), LOGPIXELSX) / 96);
    EXPECT_EQ(natural.cy, 40 * ::GetDeviceCaps(dc.get(), LOGPIXELSY) / 96);

    EXPECT_EQ(DrawSkinPicture(dc.get(), picture, 0, 0, 0, 0), 1);
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_NE(::GetPixel(dc.get(), 1, 1), white);
    EXPECT_NE(::GetPixel(dc.get(), natural.cx - 2, natural.cy - 2), white);
    EXPECT_EQ(::GetPixel(dc.get(), natural.cx + 2, natural.cy + 2), white);

    DrawSkinPicture(dc.get(), picture, 0, 0, 100, 100);
    EXPECT_NE(::GetPixel(dc.get(), 98, 98), white);
    EXPECT_EQ(DrawSkinPicture(dc.get(), SkinPicture(), 0, 0, 10, 10), 1);  // empty: nothing, no crash
}

// Decoded straight to pixels or through the OLE picture, the stretch must look the same: the
// background is made the first way and the page pictures the second.
TEST_F(SkinImages, StretchedPictureLooksLikeTheDrawnOne) {
    SkinPicture picture;
    ASSERT_EQ(LoadSkinPicture(picture, 218), 1);
    for (SIZE size : {SIZE{399, 500}, SIZE{200, 250}, SIZE{640, 480}, SIZE{97, 733}}) {
        win32::Bitmap stretched = StretchedSkinPicture(218, size);
        ASSERT_TRUE(stretched);
        DIBSECTION made{};
        ASSERT_EQ(::GetObjectW(stretched.get(), sizeof(made), &made), static_cast<int>(sizeof(made)));
        EXPECT_EQ(made.dsBm.bmWidth, size.cx);
        EXPECT_EQ(made.dsBm.bmHeight, size.cy);
        EXPECT_EQ(made.dsBm.bmBitsPixel, 32);

        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        win32::Bitmap drawn(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(drawn && bits);
        {
            win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
            win32::SelectedObject keep(dc.get(), drawn.get());
            DrawSkinPicture(dc.get(), picture, 0, 0, size.cx, size.cy);
        }
        ::GdiFlush();
        const auto* a = static_cast<const DWORD*>(made.dsBm.bmBits);
        const auto* b = static_cast<const DWORD*>(bits);
        const size_t count = static_cast<size_t>(size.cx) * size.cy;
        // Two averaging filters: the same picture to the eye, a level or so apart on average.
        double total = 0;
        for (size_t i = 0; i < count; ++i) {
            for (int shift : {0, 8, 16}) {
                total += std::abs(static_cast<int>(a[i] >> shift & 0xFF) - static_cast<int>(b[i] >> shift & 0xFF));
            }
        }
        EXPECT_LT(total / count / 3, 1.5) << size.cx << "x" << size.cy;
    }
    EXPECT_FALSE(StretchedSkinPicture(999, SIZE{10, 10}));  // missing
    EXPECT_FALSE(StretchedSkinPicture(300, SIZE{10, 10}));  // not a picture
    EXPECT_FALSE(StretchedSkinPicture(218, SIZE{0, 10}));
    EXPECT_FALSE(StretchedSkinPicture(218, SIZE{10, -1}));
}

// A view shows the top-down DIB's own pixels, later changes included; anything but a 32-bit DIB
// section is refused.
TEST_F(SkinImages, AWrappedDibIsShownInPlace) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::Bitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(dib && bits);
    std::unique_ptr<SkinImage> view;
    ASSERT_TRUE(WrapSkinBitmap(dib.get(), view));
    EXPECT_EQ(view->viewOf(), dib.get());
    EXPECT_EQ(view->width(), 4u);
    EXPECT_EQ(view->height(), 3u);
    win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::SelectedObject keep(dc.get(), dib.get());
    ::SetPixel(dc.get(), 0, 0, RGB(255, 0, 0));
    ::SetPixel(dc.get(), 3, 2, RGB(0, 0, 255));
    ::GdiFlush();
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(view->image());
    Gdiplus::Color c;
    bitmap->GetPixel(0, 0, &c);
    EXPECT_EQ(c.GetValue() & 0xFFFFFF, 0xFF0000u);
    bitmap->GetPixel(3, 2, &c);
    EXPECT_EQ(c.GetValue() & 0xFFFFFF, 0x0000FFu);
    win32::WindowDc screen(nullptr);
    win32::Bitmap device(::CreateCompatibleBitmap(screen.get(), 4, 4));
    std::unique_ptr<SkinImage> none;
    EXPECT_FALSE(WrapSkinBitmap(device.get(), none));
    EXPECT_FALSE(WrapSkinBitmap(nullptr, none));
    EXPECT_FALSE(none);
}

}  // namespace
}  // namespace tessaly
