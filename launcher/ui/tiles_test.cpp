#include "launcher/ui/tiles.h"

#include <gtest/gtest.h>

#include "launcher/testing/recording_owners.h"
#include "launcher/testing/skin_test_parent.h"

namespace tessaly {
namespace {

using testing::Canvas;
using testing::RecordingEntryOwner;
using testing::RecordingMenuOwner;
using testing::RecordingParent;
using testing::Reported;
using testing::TileEvent;

constexpr RECT kTileRect{10, 10, 210, 70};  // 200 x 60
const LPARAM kInside = MAKELPARAM(20, 20);
const LPARAM kOutside = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-5));

class MenuTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(nullptr));
        ASSERT_TRUE(tile.Create(L"", 0x10300 | WS_VISIBLE, kTileRect, parent.hwnd(), 1113));
        tile.SetLabel(L"Play Video");
        tile.command = 3;
        tile.FitFont();
        owner.Take();
    }
    void TearDown() override {
        if (::GetCapture()) ::ReleaseCapture();
    }

    RecordingParent parent;
    RecordingMenuOwner owner;
    MenuTile tile{owner, win32::ScreenSize{1024, 768}, 96};
};

TEST_F(MenuTileTest, EnteringReportsTheCommandThenAsksForTheClick) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    const std::vector<Reported> entered{{TileEvent::Hovered, 3}, {TileEvent::Focused, 3}};
    EXPECT_EQ(owner.Take(), entered);
    EXPECT_TRUE(tile.pressed);
    EXPECT_EQ(::GetCapture(), tile.hwnd());
    EXPECT_EQ(::GetFocus(), tile.hwnd());

    // Moving within the tile says nothing more; leaving it lets the mouse go.
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_TRUE(owner.Take().empty());
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kOutside);
    EXPECT_TRUE(owner.Take().empty());
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Coming back is a new entry.
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(owner.Take(), entered);
}

TEST_F(MenuTileTest, PressRunsTheCommandAndReleaseDoesNothingMore) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    owner.Take();
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_EQ(owner.Take(), (std::vector<Reported>{{TileEvent::Pressed, 3}}));
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONUP, 0, kInside);
    EXPECT_TRUE(owner.Take().empty());
}

TEST_F(MenuTileTest, InertWhileASelectDialogHoldsTheKeyboardExceptForTheFocus) {
    HWND dialog = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 250, 10, 50, 20,
                                    parent.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    owner.selectDialog.Opened(dialog);
    ::SetFocus(parent.hwnd());
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_TRUE(owner.Take().empty());
    EXPECT_FALSE(tile.pressed);
    EXPECT_NE(::GetCapture(), tile.hwnd());
    EXPECT_EQ(::GetFocus(), dialog);
    ::DestroyWindow(dialog);
}

TEST_F(MenuTileTest, FontFitsTheTileAndCanBeRebuilt) {
    // 1024 x 768 at 96 dpi starts at 16 x 30; "Play Video" fits a 200 x 60 tile as it is.
    EXPECT_EQ(tile.fontWidth(), 16);
    EXPECT_EQ(tile.fontHeight(), 30);
    EXPECT_EQ(tile.penWidth(), 3);
    EXPECT_GT(tile.textWidth(), 0);

    MenuTile narrow{owner, win32::ScreenSize{1920, 1080}, 96};
    ASSERT_TRUE(narrow.Create(L"", 0x10300, RECT{0, 100, 120, 140}, parent.hwnd(), 1113));
    narrow.SetLabel(L"Browse Pictures");
    narrow.FitFont();
    EXPECT_LT(narrow.fontWidth(), 37);
    EXPECT_LT(narrow.fontHeight(), 50);  // 40 high less 16
    EXPECT_LE(narrow.textWidth(), 120 - 10);
    EXPECT_LE(narrow.textHeight(), 40 - 16);

    narrow.SetFontSize(10, 20);
    EXPECT_EQ(narrow.fontWidth(), 10);
    EXPECT_EQ(narrow.fontHeight(), 20);
    LOGFONTW lf{};
    ASSERT_TRUE(::GetObjectW(narrow.font(), sizeof(lf), &lf));
    EXPECT_EQ(lf.lfWidth, 10);
    EXPECT_EQ(lf.lfHeight, 20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST_F(MenuTileTest, OutlineIsWhiteOnTheSelectedTileAndDarkOtherwise) {
    Canvas canvas(200, 60);
    owner.selection = 3;
    canvas.PaintFrom(tile.hwnd());
    // 3-pixel outline on a 1024-wide screen. The lines run half a pen (1) in from each edge, so
    // the left and top strokes show 3 pixels and the right and bottom ones 2.
    for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.At(x, 30), 0xFFFFFFu) << x;
    for (int y = 0; y < 3; ++y) EXPECT_EQ(canvas.At(100, y), 0xFFFFFFu) << y;
    for (int x = 198; x < 200; ++x) EXPECT_EQ(canvas.At(x, 30), 0xFFFFFFu) << x;
    EXPECT_EQ(canvas.At(3, 30), Canvas::kBackground);
    EXPECT_EQ(canvas.At(100, 3), Canvas::kBackground);
    EXPECT_EQ(canvas.At(197, 30), Canvas::kBackground);

    owner.selection = 4;
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(1, 30), 0x161616u);
    EXPECT_EQ(canvas.At(100, 58), 0x161616u);

    // The caption is white and starts 8 pixels in.
    bool white = false;
    for (int x = 8; x < 150 && !white; ++x)
        for (int y = 5; y < 55 && !white; ++y) white = canvas.At(x, y) == 0xFFFFFFu;
    EXPECT_TRUE(white);
}

TEST_F(MenuTileTest, OnScreenTheParentsPictureShowsThroughAfterACaptionChange) {
    owner.selection = 3;
    ::RedrawWindow(parent.hwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    tile.SetLabel(L"Exit");  // while visible: the standard control must not paint over us
    ::UpdateWindow(tile.hwnd());
    RecordingParent::Pump();
    win32::WindowDc dc(parent.hwnd());
    // Parent coordinates: the tile sits at (10, 10), 200 x 60.
    EXPECT_EQ(::GetPixel(dc.get(), 11, 40), 0xFFFFFFu);
    EXPECT_EQ(::GetPixel(dc.get(), 200, 60), RecordingParent::kBackground);
    EXPECT_EQ(::GetPixel(dc.get(), 150, 20), RecordingParent::kBackground);
}

TEST_F(MenuTileTest, WideScreenOutlineIsSixPixels) {
    MenuTile wide{owner, win32::ScreenSize{1920, 1080}, 96};
    ASSERT_TRUE(wide.Create(L"", 0x10300, RECT{0, 0, 200, 60}, parent.hwnd(), 1113));
    wide.command = 1;
    owner.selection = 1;
    Canvas canvas(200, 60);
    canvas.PaintFrom(wide.hwnd());
    EXPECT_EQ(canvas.At(5, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(7, 30), Canvas::kBackground);
    EXPECT_EQ(wide.fontWidth(), 37);
}

class EntryTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main.Create(nullptr));
        ASSERT_TRUE(page.Create(main.hwnd()));
        ASSERT_TRUE(tile.Create(L"", 0x320 | WS_VISIBLE, kTileRect, page.hwnd(), 140));
        tile.label = L"Solitaire";
        tile.target = L"C:\\games\\sol.exe";
        tile.kind = 5;
        tile.index = 2;
        owner.Take();
    }
    void TearDown() override {
        if (::GetCapture()) ::ReleaseCapture();
    }

    RecordingParent main;
    RecordingParent page;
    RecordingEntryOwner owner;
    EntryTile tile{owner, win32::ScreenSize{1920, 1080}};
};

TEST_F(EntryTileTest, HoverMakesTheEntryTheOwnersCurrentOneAndPressReportsIt) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(owner.Take(), (std::vector<Reported>{{TileEvent::Hovered, 2}, {TileEvent::Selected, 2}}));
    EXPECT_EQ(owner.selection, 2);
    EXPECT_TRUE(tile.pressed);
    EXPECT_TRUE(tile.hovered);
    EXPECT_EQ(::GetCapture(), tile.hwnd());

    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kOutside);
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);

    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_EQ(owner.Take(), (std::vector<Reported>{{TileEvent::Pressed, 2}}));
    EXPECT_FALSE(tile.hovered);
    // Nothing reaches the windows around the tile: the owner decides what to tell them.
    EXPECT_TRUE(page.Take().empty());
    EXPECT_TRUE(main.Take().empty());
}

TEST_F(EntryTileTest, PageEntriesAreInertWhileASelectDialogIsUp) {
    owner.selectDialog.Opened(main.hwnd());
    ::SetFocus(page.hwnd());
    owner.selection = 7;
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    tile.Select();
    EXPECT_TRUE(owner.Take().empty());
    EXPECT_EQ(owner.selection, 7);
    EXPECT_EQ(::GetFocus(), main.hwnd());
}

TEST_F(EntryTileTest, SelectDialogEntriesReactAndActivateOnPress) {
    tile.kind = EntryTile::kSelectDialogEntry;
    owner.selectDialog.Opened(page.hwnd());

    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(owner.Take(), (std::vector<Reported>{{TileEvent::Hovered, 2}, {TileEvent::Selected, 2}}));
    EXPECT_EQ(owner.selection, 2);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    // No press report: the entry carries itself out.
    EXPECT_EQ(owner.Take(), (std::vector<Reported>{{TileEvent::Activated, 2}}));
    EXPECT_EQ(::GetCapture(), nullptr);

    // Unpress leaves a select-dialog entry's pressed state alone.
    tile.pressed = true;
    tile.Unpress();
    EXPECT_TRUE(tile.pressed);
    tile.kind = 1;
    tile.Unpress();
    EXPECT_FALSE(tile.pressed);
}

// A page and the chooser it opens each keep their own highlight: slot 1 of one is not slot 1 of
// the other.
TEST_F(EntryTileTest, EachOwnerHighlightsOnlyItsOwnEntry) {
    RecordingEntryOwner chooser;
    EntryTile chooserEntry{chooser, win32::ScreenSize{1920, 1080}};
    ASSERT_TRUE(chooserEntry.Create(L"", 0x300 | WS_VISIBLE, RECT{10, 80, 210, 140}, main.hwnd(), 140));
    chooserEntry.kind = EntryTile::kSelectDialogEntry;
    chooserEntry.index = 1;
    tile.index = 1;
    owner.selection = 0;
    chooser.selection = 1;
    Canvas canvas(200, 60);
    canvas.PaintFrom(chooserEntry.hwnd());
    EXPECT_EQ(canvas.At(2, 30), 0xFFFFFFu);
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(2, 30), 0x161616u);

    tile.Select();
    EXPECT_EQ(owner.selection, 1);
    EXPECT_EQ(chooser.selection, 1);
    chooserEntry.index = 2;
    chooserEntry.Select();
    EXPECT_EQ(chooser.selection, 2);
    EXPECT_EQ(owner.selection, 1);
}

TEST_F(EntryTileTest, EnterPassesToTheOwnerAndShowingMakesTheEntryAvailable) {
    MSG enter{tile.hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(tile.PreTranslateMessage(enter));
    EXPECT_TRUE(win32::Window::WalkPreTranslate(enter));
    EXPECT_EQ(page.keysSeen, (std::vector<WPARAM>{VK_RETURN}));

    tile.available = false;
    ::ShowWindow(tile.hwnd(), SW_HIDE);
    EXPECT_FALSE(tile.available);
    ::ShowWindow(tile.hwnd(), SW_SHOW);
    EXPECT_TRUE(tile.available);
}

TEST_F(EntryTileTest, OutlineFollowsTheOwnersSelectionAndNothingErasesTheParent) {
    Canvas canvas(200, 60);
    owner.selection = 2;
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(0, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(5, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(7, 30), Canvas::kBackground);
    owner.selection = 3;
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(2, 30), 0x161616u);
    EXPECT_EQ(::SendMessageW(tile.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
    EXPECT_EQ(canvas.At(100, 2), 0x161616u);  // untouched by the erase
}

}  // namespace
}  // namespace tessaly
