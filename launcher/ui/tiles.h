#pragma once
// Skinned text tiles: an outlined rectangle with a bold white caption over the parent's picture.
// MenuTile is a main-menu entry; EntryTile is an entry of a program page or a select dialog. Both
// report to the owner they are built with (tile_owner.h) and never look further up.
#include <windows.h>

#include <string>

#include "launcher/model/tile_logic.h"
#include "launcher/ui/tile_owner.h"
#include "win32/handles.h"
#include "win32/scale.h"
#include "win32/window.h"

namespace tessaly {

// The window styles the tiles are made with. The page entries' extra 0x20 is no named static
// style; it has always been there and does nothing a user sees.
constexpr DWORD kMenuTileStyle = WS_TABSTOP | SS_CENTERIMAGE | SS_NOTIFY;
constexpr DWORD kPageEntryStyle = SS_CENTERIMAGE | SS_NOTIFY | 0x20;
constexpr DWORD kChoiceEntryStyle = SS_CENTERIMAGE | SS_NOTIFY;

// Draws a tile's outline in dc: white when highlighted, dark grey otherwise.
void PaintTileOutline(HDC dc, const RECT& client, int penWidth, bool highlighted);

// What every tile is: a static control that paints its own outline and caption, keeps the static
// control from painting over the parent's picture, and hands its mouse to the kind of tile it is.
// The kinds differ in what hover, press and focus mean to their owners.
class SkinnedTile : public win32::PaintedControl {
public:
    int penWidth() const { return pen_width_; }
    HFONT font() const { return font_.get(); }

protected:
    // Outline, then the caption in white at `text` (DrawText flags `format`).
    void PaintFace(HDC dc, bool highlighted, const std::wstring& caption, RECT text, UINT format);
    virtual void OnMouseMove(LPARAM lp) = 0;
    virtual void OnLButtonDown(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    win32::Font font_;
    int pen_width_ = 6;
};

class MenuTile : public SkinnedTile {
public:
    // Sizes from the primary screen and the current display mode.
    explicit MenuTile(MenuTileOwner& owner);
    // Sizes from a given screen and pixels per inch.
    MenuTile(MenuTileOwner& owner, win32::ScreenSize screen, int logPixels);
    ~MenuTile() override;

    // A static control with the notify style added so the mouse reaches it (the main window
    // passes kMenuTileStyle and id 1113).
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id);

    // Caption: stored as the label and as the window text.
    void SetLabel(const std::wstring& text);
    const std::wstring& label() const { return label_; }

    // Shrinks the font until the label fits the client area.
    void FitFont();
    // Rebuilds the font with this cell (the main window passes the smallest over all tiles).
    void SetFontSize(int width, int height);

    int fontWidth() const { return font_size_.width; }
    int fontHeight() const { return font_size_.height; }
    int textWidth() const { return text_.cx; }
    int textHeight() const { return text_.cy; }

    // Outline (white when the owner says this tile is highlighted) and caption.
    void Paint(HDC dc) override;

    int command = 0;       // 1..8, set by the main window
    bool pressed = false;  // pointer inside, mouse captured

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnMouseMove(LPARAM lp) override;
    void OnLButtonDown(UINT msg, WPARAM wp, LPARAM lp) override;

    MenuTileOwner& owner_;
    std::wstring label_;
    FontSize font_size_{25, 50};
    SIZE text_{0, 0};
};

class EntryTile : public SkinnedTile {
public:
    static constexpr int kSelectDialogEntry = 99;

    explicit EntryTile(EntryTileOwner& owner);
    EntryTile(EntryTileOwner& owner, win32::ScreenSize screen);
    ~EntryTile() override;

    // A window of class "STATIC" (pages pass kPageEntryStyle, the select dialog kChoiceEntryStyle;
    // both id 140).
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id);

    // Tells the owner to make this entry its highlighted one (it also asks for the click sound)
    // and repaints. While a select dialog is up, page entries only hand the focus back to it.
    void Select();
    // Clears pressed (not for select-dialog entries) and repaints.
    void Unpress();
    // Releases the capture, clears pressed, then reports the activation to the owner.
    void Activate();

    // Enter goes to the owner's key handling untouched.
    bool PreTranslateMessage(MSG& msg) override;

    void Paint(HDC dc) override;

    std::wstring label;
    std::wstring target;
    int kind = 0;   // 99: select-dialog entry; otherwise the owner's number
    int index = 0;  // position in the owner's list
    bool available = true;
    bool pressed = false;
    bool hovered = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool InertWhileSelectDialog() const;
    void OnMouseMove(LPARAM lp) override;
    void OnLButtonDown(UINT msg, WPARAM wp, LPARAM lp) override;

    EntryTileOwner& owner_;
};

}  // namespace tessaly
