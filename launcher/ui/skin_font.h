#pragma once
// Fonts of the skinned controls: bold Arial built from a character cell.
#include <windows.h>

#include <string>

#include "launcher/model/tile_logic.h"
#include "win32/handles.h"

namespace tessaly {

// Bold Arial with the given cell height and character width (both in pixels).
win32::Font CreateSkinFont(FontSize size);

// Extent of text drawn with font in dc; (0, 0) when it cannot be measured.
SIZE MeasureWithFont(HDC dc, HFONT font, const std::wstring& text);

// Logical pixels per inch of the current display mode (the screen DC's when the mode does not
// say).
int DisplayLogPixels();

}  // namespace tessaly
