#include "launcher/ui/browser_row.h"

#include <algorithm>
#include <objidl.h>
#include <gdiplus.h>

#include "launcher/model/browser_model.h"
#include "launcher/model/text_fit.h"
#include "common/skin/skin_image.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

int ScreenLogPixels() {
    win32::WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
}

int IconWidth(const SkinImage* icon) { return icon && icon->ok() ? static_cast<int>(icon->width()) : 0; }

constexpr UINT kRowTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

}  // namespace

BrowserRow::BrowserRow() : BrowserRow(win32::PrimaryScreen().cx, ScreenLogPixels()) {}

BrowserRow::BrowserRow(int screenWidth, int logPixels) {
    if (screenWidth >= 1280) {
        fontWidth_ = win32::Scale(screenWidth, 25, 1280);
    } else {
        fontHeight_ = 30;
        fontWidth_ = logPixels > 96 ? 20 : 16;
    }
    MakeFont();
}

void BrowserRow::MakeFont() {
    LOGFONTW lf{};
    lf.lfHeight = fontHeight_;
    lf.lfWidth = fontWidth_;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    font_.reset(::CreateFontIndirectW(&lf));
}

bool BrowserRow::Create(HWND parent, const RECT& rect, int id, RowBackground* background,
                     const SkinImage* folderIcon) {
    background_ = background;
    folderIcon_ = folderIcon;
    return Control::Create(L"STATIC", L"", WS_VISIBLE | SS_CENTER, rect, parent, id);
}

void BrowserRow::OnCreated() {
    // Clicks are reported (and get default handling only).
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, ::GetWindowLongPtrW(hwnd_, GWL_STYLE) | SS_NOTIFY);
}

LRESULT BrowserRow::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT:
        case WM_ENABLE: {
            // The static control would paint itself at once, over the owner's picture.
            LRESULT r = msg == WM_SETTEXT ? ::DefWindowProcW(hwnd_, msg, wp, lp) : 0;
            ::InvalidateRect(hwnd_, nullptr, FALSE);
            return r;
        }
        default:
            return PaintedControl::WindowProc(msg, wp, lp);
    }
}

void BrowserRow::SetText(const std::wstring& text, bool isFolder) {
    bool icon = text.empty() ? false : (text == L".." ? true : isFolder);
    if (text == text_ && icon == showFolderIcon_) return;
    text_ = text;
    showFolderIcon_ = icon;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void BrowserRow::SetHighlighted(bool on) {
    if (on == highlighted_) return;
    highlighted_ = on;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void BrowserRow::Fit() {
    if (!hwnd_) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    win32::WindowDc dc(hwnd_);
    FitText({fontWidth_, fontHeight_}, {client.right, client.bottom}, kRowFit, [&](FontSize f) {
        if (f.width != fontWidth_ || f.height != fontHeight_ || !font_) {
            fontWidth_ = f.width;
            fontHeight_ = f.height;
            MakeFont();
        }
        win32::SelectedObject sel(dc.get(), font_.get());
        SIZE size{};
        // An empty text still has the font's height.
        const std::wstring& probe = text_.empty() ? std::wstring(L" ") : text_;
        ::GetTextExtentPoint32W(dc.get(), probe.c_str(), static_cast<int>(probe.size()), &size);
        textWidth_ = text_.empty() ? 0 : size.cx;
        textHeight_ = size.cy;
        return size;
    });
}

void BrowserRow::UseFont(int height, int width) {
    fontHeight_ = std::max(height, 1);
    fontWidth_ = std::max(width, 1);
    MakeFont();
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void BrowserRow::Paint(HDC target) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    win32::MemoryDc dc(::CreateCompatibleDC(target));
    win32::Bitmap bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!dc || !bitmap) return;
    win32::SelectedObject selectedBitmap(dc.get(), bitmap.get());
    if (background_) {
        background_->PaintRowBackground(dc.get(), hwnd_);
    } else {
        ::FillRect(dc.get(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }

    win32::SelectedObject selectedFont(dc.get(), font_.get());
    ::SetTextColor(dc.get(), kRowTextColour);
    ::SetBkMode(dc.get(), TRANSPARENT);
    const int left = IconWidth(folderIcon_) + 20;
    SIZE size{};
    if (!text_.empty()) {
        ::GetTextExtentPoint32W(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &size);
    }
    textWidth_ = size.cx;
    textHeight_ = size.cy;
    if (highlighted_) {
        RECT bar{left, 0, left + std::max(0, std::min<int>(client.right - left, size.cx + 2)), client.bottom};
        win32::Brush magenta(::CreateSolidBrush(kRowBarColour));
        ::FillRect(dc.get(), &bar, magenta.get());
    }
    if (showFolderIcon_ && folderIcon_ && folderIcon_->ok()) {
        Gdiplus::Graphics g(dc.get());
        g.DrawImage(folderIcon_->image(), 0, 0, static_cast<INT>(folderIcon_->width()),
                    static_cast<INT>(folderIcon_->height()));
    }
    if (!text_.empty()) {
        RECT textRect{left, 0, client.right, client.bottom};
        ::DrawTextW(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &textRect, kRowTextFormat);
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

}  // namespace tessaly
