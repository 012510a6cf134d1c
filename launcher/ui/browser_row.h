#pragma once
// BrowserRow: one text row of the media browser. White text on the browser's background, the folder
// icon in front of folders, drives and "..", a magenta bar behind the highlighted row's text.
#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

class SkinImage;

// What lies behind a row: its owner draws that part of its own picture into the row's DC.
class RowBackground {
public:
    virtual ~RowBackground() = default;
    virtual void PaintRowBackground(HDC dc, HWND row) = 0;
};

constexpr COLORREF kRowTextColour = RGB(255, 255, 255);
constexpr COLORREF kRowBarColour = RGB(255, 0, 255);

class BrowserRow : public win32::PaintedControl {
public:
    // Arial, sized for the screen: width cx*25/1280 from 1280 pixels up; below, 16 (20 over 96
    // dots per inch) wide and 30 high.
    BrowserRow();
    BrowserRow(int screenWidth, int logPixels);

    // A visible child row at rect; background and icon are the owner's and outlive the row.
    bool Create(HWND parent, const RECT& rect, int id, RowBackground* background,
                const SkinImage* folderIcon);

    // Stores the text; ".." always carries the icon, an empty row never. Repaints on change.
    void SetText(const std::wstring& text, bool isFolder);
    void SetHighlighted(bool on);
    // Shrinks the font until the text fits the row (never below 1).
    void Fit();
    // Replaces the font (the browser's rows all use one size).
    void UseFont(int height, int width);

    const std::wstring& text() const { return text_; }
    bool highlighted() const { return highlighted_; }
    bool showFolderIcon() const { return showFolderIcon_; }
    int fontWidth() const { return fontWidth_; }
    int fontHeight() const { return fontHeight_; }

    void Paint(HDC dc) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnCreated() override;

private:
    void MakeFont();

    win32::Font font_;
    int textWidth_ = 0;
    int textHeight_ = 0;
    std::wstring text_;
    int fontWidth_ = 25;
    int fontHeight_ = 50;
    bool highlighted_ = false;
    bool showFolderIcon_ = false;
    RowBackground* background_ = nullptr;
    const SkinImage* folderIcon_ = nullptr;
};

}  // namespace tessaly
