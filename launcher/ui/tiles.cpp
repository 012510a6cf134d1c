#include "launcher/ui/tiles.h"

#include <windowsx.h>

#include "launcher/ui/skin_font.h"

namespace tessaly {
namespace {

bool PointerInside(HWND hwnd, LPARAM lp) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    return ::PtInRect(&client, pt) != FALSE;
}

void ReleaseCaptureOf(HWND hwnd) {
    if (hwnd && ::GetCapture() == hwnd) ::ReleaseCapture();
}

// A tile the pointer has entered keeps the mouse while the pointer stays inside, and lets it go
// (no longer pressed) once the pointer leaves.
void StayOrLeave(HWND hwnd, LPARAM lp, bool& pressed) {
    if (PointerInside(hwnd, lp)) return;
    pressed = false;
    ReleaseCaptureOf(hwnd);
}

// The static control paints its own text and background straight away when its text or enabled
// state changes, over the parent's picture. Store the text without it and let our paint run.
LRESULT KeepStaticFromPainting(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = msg == WM_SETTEXT ? ::DefWindowProcW(hwnd, msg, wp, lp) : 0;
    ::InvalidateRect(hwnd, nullptr, FALSE);
    return r;
}

}  // namespace

void PaintTileOutline(HDC dc, const RECT& client, int penWidth, bool highlighted) {
    win32::Pen pen(::CreatePen(PS_SOLID, penWidth, highlighted ? kOutlineHighlighted : kOutlineNormal));
    win32::SelectedObject selected(dc, pen.get());
    OutlinePath path = TileOutline(client, penWidth);
    ::MoveToEx(dc, path.points[0].x, path.points[0].y, nullptr);
    for (int i = 1; i < 5; ++i) ::LineTo(dc, path.points[i].x, path.points[i].y);
}

// ---- SkinnedTile ----

void SkinnedTile::PaintFace(HDC dc, bool highlighted, const std::wstring& caption, RECT text, UINT format) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    PaintTileOutline(dc, client, pen_width_, highlighted);
    win32::SelectedObject selected(dc, font_.get());
    const COLORREF oldColour = ::SetTextColor(dc, kCaptionColour);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
}

LRESULT SkinnedTile::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE: {
            HWND self = hwnd_;
            LRESULT r = Default(msg, wp, lp);
            if (hwnd_ == self) OnMouseMove(lp);
            return r;
        }
        case WM_LBUTTONDOWN:
            OnLButtonDown(msg, wp, lp);
            return 0;
        case WM_SETTEXT:
        case WM_ENABLE:
            return KeepStaticFromPainting(hwnd_, msg, wp, lp);
        default:
            return PaintedControl::WindowProc(msg, wp, lp);
    }
}

// ---- MenuTile ----

MenuTile::MenuTile(MenuTileOwner& owner) : MenuTile(owner, win32::PrimaryScreen(), DisplayLogPixels()) {}

MenuTile::MenuTile(MenuTileOwner& owner, win32::ScreenSize screen, int logPixels) : owner_(owner) {
    font_size_ = MenuTileFontSize(screen.cx, logPixels);
    font_ = CreateSkinFont(font_size_);
    pen_width_ = TilePenWidth(screen.cx);
}

MenuTile::~MenuTile() { Destroy(); }

bool MenuTile::Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id) {
    return Control::Create(L"STATIC", text, style | SS_NOTIFY, rect, parent, id);
}

void MenuTile::SetLabel(const std::wstring& text) {
    label_ = text;
    if (hwnd_) ::SetWindowTextW(hwnd_, label_.c_str());
}

void MenuTile::FitFont() {
    if (!hwnd_) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    win32::WindowDc dc(hwnd_);
    FitResult fit = FitText(font_size_, {client.right, client.bottom}, kTileFit, [&](FontSize size) {
        if (!(size == font_size_) || !font_) {
            font_size_ = size;
            font_ = CreateSkinFont(size);
        }
        return MeasureWithFont(dc.get(), font_.get(), label_);
    });
    font_size_ = fit.font;
    text_ = fit.text;
}

void MenuTile::SetFontSize(int width, int height) {
    font_size_ = {width, height};
    font_ = CreateSkinFont(font_size_);
    // Keep the vertical centring right for the new size.
    if (hwnd_) {
        win32::WindowDc dc(hwnd_);
        text_ = MeasureWithFont(dc.get(), font_.get(), label_);
    }
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void MenuTile::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    // Centred down by the fitted caption's own height.
    const int y = client.top + (client.bottom - text_.cy - client.top) / 2;
    PaintFace(dc, owner_.IsHighlighted(*this), label_, RECT{client.left + 8, y, client.right, client.bottom},
              DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
}

void MenuTile::OnMouseMove(LPARAM lp) {
    if (owner_.SelectDialogActive()) {
        owner_.FocusSelectDialog();
        return;
    }
    if (pressed) {
        StayOrLeave(hwnd_, lp, pressed);
        return;
    }
    HWND self = hwnd_;
    owner_.OnMenuTileHovered(*this);
    if (!::IsWindow(self) || hwnd_ != self) return;  // the owner tore us down
    if (owner_.SelectDialogActive()) {
        owner_.FocusSelectDialog();
    } else {
        ::SetFocus(self);
        owner_.OnMenuTileFocused(*this);
        if (hwnd_ != self) return;
        ::InvalidateRect(self, nullptr, TRUE);
    }
    pressed = true;
    ::SetCapture(self);
}

void MenuTile::OnLButtonDown(UINT msg, WPARAM wp, LPARAM lp) {
    pressed = false;
    ReleaseCaptureOf(hwnd_);
    HWND self = hwnd_;
    Default(msg, wp, lp);
    if (hwnd_ != self) return;
    if (owner_.SelectDialogActive()) {
        owner_.FocusSelectDialog();
        return;
    }
    owner_.OnMenuTilePressed(*this);
}

LRESULT MenuTile::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CAPTURECHANGED) {
        // Whoever took the capture ends the hover, or the tile would stay "entered".
        if (reinterpret_cast<HWND>(lp) != hwnd_) pressed = false;
        return Default(msg, wp, lp);
    }
    return SkinnedTile::WindowProc(msg, wp, lp);
}

// ---- EntryTile ----

EntryTile::EntryTile(EntryTileOwner& owner) : EntryTile(owner, win32::PrimaryScreen()) {}

EntryTile::EntryTile(EntryTileOwner& owner, win32::ScreenSize screen) : owner_(owner) {
    font_ = CreateSkinFont(EntryFontSize(screen.cx, screen.cy));
    pen_width_ = TilePenWidth(screen.cx);
}

EntryTile::~EntryTile() { Destroy(); }

bool EntryTile::Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id) {
    return Control::Create(L"STATIC", text, style, rect, parent, id);
}

bool EntryTile::InertWhileSelectDialog() const {
    return kind != kSelectDialogEntry && owner_.SelectDialogActive();
}

void EntryTile::Select() {
    if (InertWhileSelectDialog()) {
        owner_.FocusSelectDialog();
        return;
    }
    HWND self = hwnd_;
    owner_.OnEntrySelected(*this);
    if (self && hwnd_ == self) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void EntryTile::Unpress() {
    if (kind != kSelectDialogEntry) pressed = false;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void EntryTile::Activate() {
    ReleaseCaptureOf(hwnd_);
    pressed = false;
    // Last: the owner may destroy this tile.
    owner_.OnEntryActivated(*this);
}

bool EntryTile::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) return false;
    return Control::PreTranslateMessage(msg);
}

void EntryTile::Paint(HDC dc) {
    RECT text{};
    ::GetClientRect(hwnd_, &text);
    text.left += 8;
    PaintFace(dc, owner_.IsHighlighted(*this), label, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void EntryTile::OnMouseMove(LPARAM lp) {
    if (InertWhileSelectDialog()) {
        owner_.FocusSelectDialog();
        return;
    }
    if (pressed) {
        StayOrLeave(hwnd_, lp, pressed);
        return;
    }
    HWND self = hwnd_;
    pressed = true;
    owner_.OnEntryHovered(*this);
    if (hwnd_ != self) return;
    Select();
    hovered = true;
    ::SetCapture(self);
}

void EntryTile::OnLButtonDown(UINT msg, WPARAM wp, LPARAM lp) {
    ReleaseCaptureOf(hwnd_);
    hovered = false;
    pressed = false;
    HWND self = hwnd_;
    Default(msg, wp, lp);
    if (hwnd_ != self) return;
    if (kind == kSelectDialogEntry) {
        Activate();
        return;
    }
    if (owner_.SelectDialogActive()) {
        owner_.FocusSelectDialog();
        return;
    }
    owner_.OnEntryPressed(*this);
}

LRESULT EntryTile::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the parent's picture shows through
        case WM_SHOWWINDOW:
            if (wp) available = true;
            return Default(msg, wp, lp);
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
            if (pos && (pos->flags & SWP_SHOWWINDOW)) available = true;
            return Default(msg, wp, lp);
        }
        default:
            return SkinnedTile::WindowProc(msg, wp, lp);
    }
}

}  // namespace tessaly
