#include "launcher/ui/skin_font.h"

namespace tessaly {

win32::Font CreateSkinFont(FontSize size) {
    LOGFONTW lf{};
    lf.lfHeight = size.height;
    lf.lfWidth = size.width;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    return win32::Font(::CreateFontIndirectW(&lf));
}

SIZE MeasureWithFont(HDC dc, HFONT font, const std::wstring& text) {
    SIZE size{0, 0};
    if (!dc) return size;
    win32::SelectedObject selected(dc, font);
    if (!::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
        size = SIZE{0, 0};
    }
    return size;
}

int DisplayLogPixels() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) &&
        (mode.dmFields & DM_LOGPIXELS) && mode.dmLogPixels > 0) {
        return mode.dmLogPixels;
    }
    win32::WindowDc screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
}

}  // namespace tessaly
