#pragma once
// The yellow date-and-time line at the upper right of the menu and the program pages. Its text
// and font change on the tick, outside painting; Draw only draws.
#include <windows.h>

#include <string>

#include "launcher/model/text_fit.h"
#include "win32/handles.h"

namespace tessaly {

class ClockFace {
public:
    struct Style {
        FontSize font;       // bold Arial's cell to start from
        bool shrinkToFit;    // narrowed, then lowered, until the text fits its box; never grows back
        UINT format;         // DrawText flags within the box
    };
    // The menu's: 20 wide, 40/1024 of the screen high, shrunk to fit, top-aligned.
    static Style MenuStyle(int screenHeight);
    // The pages': 40/1024 of the screen high at its natural width, centred down the box.
    static Style PageStyle(int screenHeight);

    void Place(const RECT& box, const Style& style);
    // Takes the time to show; false when the text did not change.
    bool Tick(const SYSTEMTIME& now);
    void Draw(HDC dc) const;

    const RECT& box() const { return box_; }
    const std::wstring& text() const { return text_; }
    FontSize fontSize() const { return size_; }

private:
    void Fit();

    RECT box_{};
    Style style_{};
    FontSize size_{};
    win32::Font font_;
    std::wstring text_;
};

}  // namespace tessaly
