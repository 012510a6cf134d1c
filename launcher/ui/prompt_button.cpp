#include "launcher/ui/prompt_button.h"

#include "launcher/ui/skin_font.h"

namespace tessaly {

PromptButton::PromptButton(std::function<void()> countdownFinished)
    : font_(CreateSkinFont(font_size_)), countdownFinished_(std::move(countdownFinished)) {}

PromptButton::~PromptButton() { Destroy(); }

bool PromptButton::Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id) {
    return Control::Create(L"BUTTON", text, style, rect, parent, id);
}

void PromptButton::OnCreated() {
    if (countdownActive) ::SetTimer(hwnd_, kCountdownTimer, kCountdownPeriodMs, nullptr);
}

void PromptButton::StopCountdown() {
    if (countdownActive && hwnd_) ::KillTimer(hwnd_, kCountdownTimer);
    // A tick already queued must not close the window after the user has answered.
    countdown_.Stop();
}

void PromptButton::ReleasePicture() {
    picture_.reset();
    pictureSize_ = {};
}

void PromptButton::OnCountdownTick() {
    Countdown::Tick tick = countdown_.Next();
    if (!tick.counted) return;
    caption_ = tick.caption;
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    if (tick.close) {
        ::KillTimer(hwnd_, kCountdownTimer);
        if (countdownFinished_) countdownFinished_();
    }
}

void PromptButton::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const SIZE size{client.right, client.bottom};
    if (pictureId != 0 && (size.cx != pictureSize_.cx || size.cy != pictureSize_.cy)) {
        // Made once per size, so the prompt's first paint decodes it and later ones only copy.
        picture_ = StretchedSkinPicture(pictureId, size);
        pictureSize_ = size;
    }
    if (picture_) {
        win32::MemoryDc memory(::CreateCompatibleDC(dc));
        win32::SelectedObject keep(memory.get(), picture_.get());
        ::BitBlt(dc, 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
    } else {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    // Nothing to fit before the first tick, nor before the owner has placed the caption box:
    // fitting against an empty box would shrink the font for good.
    if (caption_.empty() || textRect.right <= textRect.left || textRect.bottom <= textRect.top) {
        return;
    }
    const SIZE room{textRect.right - textRect.left, textRect.bottom - textRect.top};
    FitResult fit = FitText(font_size_, room, kPromptFit, [&](FontSize size) {
        if (!(size == font_size_)) {
            font_size_ = size;
            font_ = CreateSkinFont(size);
        }
        return MeasureWithFont(dc, font_.get(), caption_);
    });
    font_size_ = fit.font;  // never grows back

    win32::SelectedObject selected(dc, font_.get());
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc, kCaptionColour);
    RECT box = textRect;
    ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &box,
                DT_CENTER | DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

LRESULT PromptButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER: {
            HWND self = hwnd_;
            if (wp == kCountdownTimer) OnCountdownTick();
            if (hwnd_ != self) return 0;  // closing the parent took the button with it
            return Default(msg, wp, lp);
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_UPDATEUISTATE:
        case WM_SETTEXT:
        case BM_SETSTATE: {
            // The standard button draws its face and focus straight away on these; paint ours
            // over it again.
            HWND self = hwnd_;
            LRESULT r = Default(msg, wp, lp);
            if (hwnd_ == self) ::InvalidateRect(self, nullptr, FALSE);
            return r;
        }
        default:
            return PaintedControl::WindowProc(msg, wp, lp);
    }
}

}  // namespace tessaly
