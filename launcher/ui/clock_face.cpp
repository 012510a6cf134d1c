#include "launcher/ui/clock_face.h"

#include "launcher/model/menu_logic.h"
#include "launcher/ui/skin_font.h"
#include "win32/scale.h"

namespace tessaly {

namespace {
constexpr COLORREF kClockColour = RGB(255, 255, 0);
}

ClockFace::Style ClockFace::MenuStyle(int screenHeight) {
    return {{20, win32::ScaleY(screenHeight, 40)}, true, DT_RIGHT | DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX};
}

ClockFace::Style ClockFace::PageStyle(int screenHeight) {
    return {{0, win32::ScaleY(screenHeight, 40)}, false,
            DT_RIGHT | DT_VCENTER | DT_NOCLIP | DT_SINGLELINE | DT_NOPREFIX};
}

void ClockFace::Place(const RECT& box, const Style& style) {
    box_ = box;
    style_ = style;
    size_ = style.font;
    font_ = CreateSkinFont(size_);
    if (!text_.empty()) Fit();
}

bool ClockFace::Tick(const SYSTEMTIME& now) {
    std::wstring text = FormatClock(now);
    if (text == text_) return false;
    text_ = std::move(text);
    Fit();
    return true;
}

void ClockFace::Fit() {
    if (!style_.shrinkToFit) return;
    win32::WindowDc screen(nullptr);
    const SIZE box{box_.right - box_.left, box_.bottom - box_.top};
    const FitResult fit = FitText(size_, box, kClockFit, [&](FontSize size) {
        if (!(size == size_) || !font_) {
            size_ = size;
            font_ = CreateSkinFont(size);
        }
        return MeasureWithFont(screen.get(), font_.get(), text_);
    });
    size_ = fit.font;  // the next text starts from here: the clock never grows back
}

void ClockFace::Draw(HDC dc) const {
    if (!font_ || text_.empty()) return;
    win32::SelectedObject font(dc, font_.get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, kClockColour);
    RECT r = box_;
    ::DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &r, style_.format);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

}  // namespace tessaly
