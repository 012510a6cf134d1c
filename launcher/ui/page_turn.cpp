#include "launcher/ui/page_turn.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <vector>

using std::max;
using std::min;
#include <gdiplus.h>

#include "common/skin/skin_image.h"
#include "win32/dib.h"

namespace tessaly {
namespace {

// The work surface of one run: a black blank and the frame being composed, both made once.
class TurnCanvas {
public:
    TurnCanvas(HDC target, int width, int height) : width_(width), height_(height) {
        if (width <= 0 || height <= 0) return;
        blankDc_.reset(::CreateCompatibleDC(target));
        workDc_.reset(::CreateCompatibleDC(target));
        blank_.reset(::CreateCompatibleBitmap(target, width, height));
        work_.reset(::CreateCompatibleBitmap(target, width, height));
        if (!blankDc_ || !workDc_ || !blank_ || !work_) return;
        blankSelected_ = std::make_unique<win32::SelectedObject>(blankDc_.get(), blank_.get());
        workSelected_ = std::make_unique<win32::SelectedObject>(workDc_.get(), work_.get());
        ::PatBlt(blankDc_.get(), 0, 0, width, height, BLACKNESS);
        ::SetStretchBltMode(workDc_.get(), COLORONCOLOR);
        ok_ = true;
    }
    ~TurnCanvas() {
        // Put the fonts and bitmaps back before the contexts go.
        fontSelected_.reset();
        workSelected_.reset();
        blankSelected_.reset();
    }

    bool ok() const { return ok_; }

    // Starts a frame whose picture is drawn through points (none when picture is null). Only
    // what changed since the last frame is cleared and later copied out: the last frame's
    // picture, this frame's and the caption band; the first frame covers everything.
    void Begin(const TurnPicture* picture, const POINT (&points)[3]) {
        RECT cover{};
        if (picture) cover = Cover(points);
        if (first_) {
            dirty_ = {0, 0, width_, height_};
            first_ = false;
        } else {
            ::UnionRect(&dirty_, &last_, &cover);
            if (captioned_) {
                const RECT band{0, 0, width_, kCaptionBand};
                ::UnionRect(&dirty_, &dirty_, &band);
            }
        }
        last_ = cover;
        ::BitBlt(workDc_.get(), dirty_.left, dirty_.top, dirty_.right - dirty_.left,
                 dirty_.bottom - dirty_.top, blankDc_.get(), dirty_.left, dirty_.top, SRCCOPY);
    }

    void Draw(const TurnPicture* picture, const POINT (&points)[3]) {
        // A parallelogram of no width (the fold's edge-on moment) draws nothing.
        if (picture) picture->DrawInto(workDc_.get(), points);
    }

    // Chooses the caption font once per run: the largest that fits the band's width.
    void PrepareCaption(const std::wstring& text, int bandWidth) {
        if (text.empty()) return;
        int height = 40;
        for (;;) {
            fontSelected_.reset();  // the old font leaves the context before it is deleted
            font_.reset(::CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
            if (!font_) return;
            fontSelected_ = std::make_unique<win32::SelectedObject>(workDc_.get(), font_.get());
            SIZE size{};
            ::GetTextExtentPoint32W(workDc_.get(), text.c_str(), static_cast<int>(text.size()),
                                    &size);
            if (size.cx <= bandWidth - 4 || height <= 10) break;
            height -= 2;
        }
        captioned_ = true;
        ::SetTextColor(workDc_.get(), RGB(0, 255, 0));
        ::SetBkMode(workDc_.get(), TRANSPARENT);
    }

    void Caption(const std::wstring& text, int bandWidth) {
        if (text.empty()) return;
        RECT band{0, 0, bandWidth, kCaptionBand};
        // No prefix processing: an ampersand in a file name is shown as it is.
        ::DrawTextW(workDc_.get(), text.c_str(), static_cast<int>(text.size()), &band,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }

    void Present(HDC target, int x, int y) {
        ::BitBlt(target, x + dirty_.left, y + dirty_.top, dirty_.right - dirty_.left,
                 dirty_.bottom - dirty_.top, workDc_.get(), dirty_.left, dirty_.top, SRCCOPY);
    }

private:
    // The frame's parallelogram with a pixel of rounding to spare, on the canvas.
    RECT Cover(const POINT (&p)[3]) const {
        const LONG xs[4] = {p[0].x, p[1].x, p[2].x, p[1].x + p[2].x - p[0].x};
        const LONG ys[4] = {p[0].y, p[1].y, p[2].y, p[1].y + p[2].y - p[0].y};
        RECT r{*std::min_element(xs, xs + 4) - 2, *std::min_element(ys, ys + 4) - 2,
               *std::max_element(xs, xs + 4) + 2, *std::max_element(ys, ys + 4) + 2};
        const RECT all{0, 0, width_, height_};
        RECT clipped{};
        ::IntersectRect(&clipped, &r, &all);
        return clipped;
    }

    int width_;
    int height_;
    bool ok_ = false;
    bool first_ = true;
    bool captioned_ = false;
    RECT last_{};
    RECT dirty_{};
    win32::MemoryDc blankDc_;
    win32::MemoryDc workDc_;
    win32::Bitmap blank_;
    win32::Bitmap work_;
    win32::Font font_;
    std::unique_ptr<win32::SelectedObject> blankSelected_;
    std::unique_ptr<win32::SelectedObject> workSelected_;
    std::unique_ptr<win32::SelectedObject> fontSelected_;
};

// Hands each frame to the screen and keeps frames at least intervalMs apart. The wait is a
// message-queue wait that wakes for nothing: window systems that buffer window output (Wine's
// window surfaces, for one) present what was drawn when the thread waits, and a plain sleep
// would show only the last frame.
class FramePacer {
public:
    explicit FramePacer(int intervalMs) : interval_(intervalMs) {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    // Until the next frame is due. Sent messages (the keyboard hook's calls among them) are
    // answered meanwhile, and at least once per frame: a turn runs on the thread that holds the
    // hook, and the hook must never wait for a whole turn. Posted messages stay queued.
    void Wait() {
        ++frames_;
        ::GdiFlush();
        DWORD remaining = Remaining();
        do {  // one wait at least: it presents the frame
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, remaining, QS_SENDMESSAGE);
            AnswerSentMessages();
            remaining = Remaining();
        } while (remaining > 0);
    }

private:
    static void AnswerSentMessages() {
        MSG m;
        ::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    DWORD Remaining() const {
        if (interval_ <= 0 || frequency_.QuadPart == 0) return 0;
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        const double elapsed = static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
                               static_cast<double>(frequency_.QuadPart);
        const double due = static_cast<double>(frames_) * interval_;
        return elapsed < due ? static_cast<DWORD>(due - elapsed) : 0;
    }

    int interval_;
    int frames_ = 0;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

// Draws image stretched over width x height of dc. A decoded bitmap goes through GDI: its pixels
// are averaged down to at most twice the target size, then stretched by StretchDIBits; many times
// faster than a GDI+ draw or a halftone stretch. Anything else is drawn by GDI+.
bool RenderImage(Gdiplus::Image* image, HDC dc, int width, int height) {
    const INT w = static_cast<INT>(image->GetWidth());
    const INT h = static_cast<INT>(image->GetHeight());
    if (w <= 0 || h <= 0) return false;
    if (image->GetType() == Gdiplus::ImageTypeBitmap) {
        auto* bitmap = static_cast<Gdiplus::Bitmap*>(image);
        // Premultiplied pixels come out as if drawn on black.
        const bool alpha = Gdiplus::IsAlphaPixelFormat(image->GetPixelFormat()) != FALSE;
        const Gdiplus::PixelFormat format = alpha ? PixelFormat32bppPARGB : PixelFormat24bppRGB;
        Gdiplus::Rect all(0, 0, w, h);
        Gdiplus::BitmapData data{};
        if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) == Gdiplus::Ok) {
            std::vector<unsigned> reduced;
            const int fx = std::max(1, w / width);
            const int fy = std::max(1, h / height);
            if (data.Stride > 0) {
                BoxReduce(static_cast<const unsigned char*>(data.Scan0), w, h, data.Stride,
                          alpha ? 4 : 3, fx, fy, reduced);
            }
            bitmap->UnlockBits(&data);
            if (!reduced.empty()) {
                const BITMAPINFO info = win32::TopDownDibInfo(w / fx, h / fy);
                const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
                const int rows = ::StretchDIBits(dc, 0, 0, width, height, 0, 0, w / fx, h / fy,
                                                 reduced.data(), &info, DIB_RGB_COLORS, SRCCOPY);
                ::SetStretchBltMode(dc, oldMode);
                if (rows > 0) return true;
            }
        }
    }
    Gdiplus::Graphics g(dc);
    // Half-pixel offset maps the picture's edges onto the bitmap's edges exactly.
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.SetInterpolationMode(Gdiplus::InterpolationModeBilinear);
    return g.DrawImage(image, Gdiplus::Rect(0, 0, width, height)) == Gdiplus::Ok;
}

// The frame's corners in canvas pixels; x of the geometry counts from originX.
void FramePoints(const TurnFrame& f, int originX, POINT (&out)[3]) {
    auto px = [](float v) { return static_cast<LONG>(std::floor(v + 0.5f)); };
    out[0] = {px(f.p0.x) + originX, px(f.p0.y)};
    out[1] = {px(f.p1.x) + originX, px(f.p1.y)};
    out[2] = {px(f.p2.x) + originX, px(f.p2.y)};
}

std::unique_ptr<TurnPicture> RenderSkin(const SkinImage* image, int width, int height) {
    if (!image || !image->ok()) return nullptr;
    return TurnPicture::Render(image->image(), width, height, SIZE{width, height});
}

TurnPlacement FlipPlacementFor(const TurnPicture* newPicture, const TurnPicture* oldPicture,
                               SIZE screen) {
    const TurnPicture* decides = newPicture ? newPicture : oldPicture;
    SIZE natural = decides ? decides->natural() : SIZE{0, 0};
    return FlipPlacement(natural.cx, natural.cy, screen.cx, screen.cy);
}

// One frame onto target at `at`: the picture where f puts it, folded about the middle of a band
// `width` wide, with the caption (if any) over it.
void ShowFrame(TurnCanvas& canvas, const TurnFrame& f, const TurnPicture* picture, int width,
               const std::wstring& caption, HDC target, POINT at) {
    POINT points[3];
    FramePoints(f, width / 2, points);
    canvas.Begin(picture, points);
    canvas.Draw(picture, points);
    canvas.Caption(caption, width);
    canvas.Present(target, at.x, at.y);
}

}  // namespace

std::unique_ptr<TurnPicture> TurnPicture::Render(Gdiplus::Image* image, int width, int height,
                                                 SIZE natural) {
    if (width <= 0 || height <= 0) return nullptr;
    win32::WindowDc screen(nullptr);
    std::unique_ptr<TurnPicture> p(new TurnPicture());
    p->height_ = height;
    p->natural_ = natural;
    if (!p->AddLevel(screen.get(), width)) return nullptr;
    HDC dc = p->dc();
    ::PatBlt(dc, 0, 0, width, height, BLACKNESS);
    if (image && !RenderImage(image, dc, width, height)) return nullptr;
    // Halving until a level would be narrower than a tenth of the full width or 32 pixels.
    for (int w = width / 2; w >= 32 && w * 10 >= width; w /= 2) {
        if (!p->AddLevel(screen.get(), w)) break;
        const Level& from = *p->levels_[p->levels_.size() - 2];
        const Level& to = *p->levels_.back();
        // Only seen in passing while the picture is edge-on: a plain stretch is enough.
        ::SetStretchBltMode(to.dc.get(), COLORONCOLOR);
        ::StretchBlt(to.dc.get(), 0, 0, w, height, from.dc.get(), 0, 0, from.width, height,
                     SRCCOPY);
    }
    return p;
}

bool TurnPicture::AddLevel(HDC compatible, int width) {
    auto level = std::make_unique<Level>();
    level->dc.reset(::CreateCompatibleDC(compatible));
    level->bitmap.reset(::CreateCompatibleBitmap(compatible, width, height_));
    if (!level->dc || !level->bitmap) return false;
    level->selected = std::make_unique<win32::SelectedObject>(level->dc.get(), level->bitmap.get());
    level->width = width;
    levels_.push_back(std::move(level));
    return true;
}

TurnPicture::~TurnPicture() = default;

void TurnPicture::DrawInto(HDC dc, const POINT (&points)[3]) const {
    const LONG span = std::abs(points[1].x - points[0].x);
    const Level* use = levels_.front().get();
    for (const auto& level : levels_) {
        if (level->width >= span) use = level.get();
    }
    ::PlgBlt(dc, points, use->dc.get(), 0, 0, use->width, height_, nullptr, 0, 0);
}

int PlayPageTurn(HDC target, const RECT& r, const SkinImage* from, const SkinImage* to,
                 int direction, const TurnOptions& options) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    TurnCanvas canvas(target, r.right - r.left, r.bottom - r.top);
    if (!target || !canvas.ok()) return 0;
    std::unique_ptr<TurnPicture> fromPicture = RenderSkin(from, cx, cy);
    std::unique_ptr<TurnPicture> toPicture = RenderSkin(to, cx, cy);

    const std::vector<TurnFrame> frames =
        TurnFrames(TurnVariant::kScreen, ScreenTurnPlacement(r.top, cx, cy), cx, cy, direction);
    FramePacer pacer(options.frameIntervalMs);
    int n = 0;
    for (const TurnFrame& f : frames) {
        const TurnPicture* current = f.incoming ? toPicture.get() : fromPicture.get();
        ShowFrame(canvas, f, current, cx, std::wstring(), target, POINT{r.left, r.top});
        if (options.afterFrame) options.afterFrame(n);
        ++n;
        pacer.Wait();
    }
    return static_cast<int>(frames.size());
}

namespace {

// The picture flat at its place: where a flip ends.
TurnFrame RestFrame(const TurnPicture* picture, SIZE screen) {
    const TurnPlacement p = FlipPlacementFor(picture, nullptr, screen);
    TurnFrame rest;
    rest.p0 = {p.x0, p.y0};
    rest.p1 = {p.x0 + p.w, p.y0};
    rest.p2 = {p.x0, p.y0 + p.h};
    return rest;
}

}  // namespace

int PlayPictureFlip(HDC target, SIZE screen, std::unique_ptr<TurnPicture>& oldPicture,
                    const TurnPicture* newPicture, const std::wstring& caption,
                    const TurnOptions& options) {
    TurnCanvas canvas(target, screen.cx, screen.cy);
    if (!target || !canvas.ok()) return 0;
    canvas.PrepareCaption(caption, screen.cx);

    const TurnPlacement placement = FlipPlacementFor(newPicture, oldPicture.get(), screen);
    const std::vector<TurnFrame> frames =
        TurnFrames(TurnVariant::kPictureFlip, placement, screen.cx, screen.cy, 1);
    FramePacer pacer(options.frameIntervalMs);
    int n = 0;
    for (const TurnFrame& f : frames) {
        if (n > 0 && options.stopEarly && options.stopEarly()) {
            oldPicture.reset();
            ShowFrame(canvas, RestFrame(newPicture, screen), newPicture, screen.cx, caption, target,
                      POINT{0, 0});
            if (options.afterFrame) options.afterFrame(n);
            return n + 1;
        }
        if (f.switching) oldPicture.reset();
        const TurnPicture* current = f.incoming ? newPicture : oldPicture.get();
        ShowFrame(canvas, f, current, screen.cx, caption, target, POINT{0, 0});
        if (options.afterFrame) options.afterFrame(n);
        ++n;
        pacer.Wait();
    }
    return n;
}

void DrawPictureAtRest(HDC target, SIZE screen, const TurnPicture* picture,
                       const std::wstring& caption) {
    TurnCanvas canvas(target, screen.cx, screen.cy);
    if (!target || !canvas.ok()) return;
    canvas.PrepareCaption(caption, screen.cx);
    ShowFrame(canvas, RestFrame(picture, screen), picture, screen.cx, caption, target, POINT{0, 0});
}

}  // namespace tessaly
