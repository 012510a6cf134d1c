#include "launcher/skin/xcstatic.h"

#include <gtest/gtest.h>

#include "launcher/shell/app_state.h"
#include "launcher/skin/skin_test_parent.h"

namespace tessaly {
namespace {

using testing::Canvas;
using testing::Received;
using testing::RecordingParent;

constexpr RECT kTileRect{10, 10, 210, 70};  // 200 x 60
const LPARAM kInside = MAKELPARAM(20, 20);
const LPARAM kOutside = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-5));

class MenuTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        State() = AppState{};
        ASSERT_TRUE(parent.Create(nullptr));
        ASSERT_TRUE(tile.Create(L"", 0x10300 | WS_VISIBLE, kTileRect, parent.hwnd(), 1113));
        tile.SetLabel(L"Play Video");
        tile.command = 3;
        tile.FitFont();
        parent.Take();
    }
    void TearDown() override {
        if (::GetCapture()) ::ReleaseCapture();
        State() = AppState{};
    }

    RecordingParent parent;
    IXCStatic tile{win32::ScreenSize{1024, 768}, 96};
};

TEST_F(MenuTileTest, EnteringReportsTheCommandThenAsksForTheClick) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(parent.Take(), (std::vector<Received>{{1046, 3, 0}, {1049, 0, 0}}));
    EXPECT_TRUE(tile.pressed);
    EXPECT_EQ(::GetCapture(), tile.hwnd());
    EXPECT_EQ(::GetFocus(), tile.hwnd());

    // Moving within the tile says nothing more; leaving it lets the mouse go.
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_TRUE(parent.Take().empty());
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kOutside);
    EXPECT_TRUE(parent.Take().empty());
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Coming back is a new entry.
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(parent.Take(), (std::vector<Received>{{1046, 3, 0}, {1049, 0, 0}}));
}

TEST_F(MenuTileTest, PressRunsTheCommandWithTheControlId) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    parent.Take();
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_EQ(parent.Take(), (std::vector<Received>{{1036, 3, 1113}}));
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONUP, 0, kInside);
    EXPECT_TRUE(parent.Take().empty());
}

TEST_F(MenuTileTest, InertWhileASelectDialogHoldsTheKeyboardExceptForTheFocus) {
    HWND dialog = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 250, 10, 50, 20,
                                    parent.hwnd(), nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    State().selectDialogActive = true;
    State().selectDialogWindow = dialog;
    ::SetFocus(parent.hwnd());
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_TRUE(parent.Take().empty());
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

    IXCStatic narrow{win32::ScreenSize{1920, 1080}, 96};
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
    State().menuSelection = 3;
    canvas.PaintFrom(tile.hwnd());
    // 3-pixel outline on a 1024-wide screen. The lines run half a pen (1) in from each edge, so
    // the left and top strokes show 3 pixels and the right and bottom ones 2.
    for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.At(x, 30), 0xFFFFFFu) << x;
    for (int y = 0; y < 3; ++y) EXPECT_EQ(canvas.At(100, y), 0xFFFFFFu) << y;
    for (int x = 198; x < 200; ++x) EXPECT_EQ(canvas.At(x, 30), 0xFFFFFFu) << x;
    EXPECT_EQ(canvas.At(3, 30), Canvas::kBackground);
    EXPECT_EQ(canvas.At(100, 3), Canvas::kBackground);
    EXPECT_EQ(canvas.At(197, 30), Canvas::kBackground);

    State().menuSelection = 4;
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
    State().menuSelection = 3;
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
    IXCStatic wide{win32::ScreenSize{1920, 1080}, 96};
    ASSERT_TRUE(wide.Create(L"", 0x10300, RECT{0, 0, 200, 60}, parent.hwnd(), 1113));
    wide.command = 1;
    State().menuSelection = 1;
    Canvas canvas(200, 60);
    canvas.PaintFrom(wide.hwnd());
    EXPECT_EQ(canvas.At(5, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(7, 30), Canvas::kBackground);
    EXPECT_EQ(wide.fontWidth(), 37);
}

class EntryTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        State() = AppState{};
        XCStatic::SetActivator(nullptr);
        ASSERT_TRUE(main.Create(nullptr));
        // A page owned by the main window: the click request goes to the page's parent.
        ASSERT_TRUE(page.Create(main.hwnd()));
        ASSERT_TRUE(tile.Create(L"", 0x320 | WS_VISIBLE, kTileRect, page.hwnd(), 140));
        tile.label = L"Solitaire";
        tile.target = L"C:\\games\\sol.exe";
        tile.kind = 5;
        tile.index = 2;
        main.Take();
        page.Take();
    }
    void TearDown() override {
        if (::GetCapture()) ::ReleaseCapture();
        XCStatic::SetActivator(nullptr);
        State() = AppState{};
    }

    RecordingParent main;
    RecordingParent page;
    XCStatic tile{win32::ScreenSize{1920, 1080}};
};

TEST_F(EntryTileTest, HoverMakesTheEntryCurrentAndAsksTheMainWindowForTheClick) {
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(page.Take(), (std::vector<Received>{{1064, 2, 0}}));
    EXPECT_EQ(main.Take(), (std::vector<Received>{{1049, 0, 0}}));
    EXPECT_EQ(State().tileSelection, 2);
    EXPECT_TRUE(tile.pressed);
    EXPECT_TRUE(tile.hovered);
    EXPECT_EQ(::GetCapture(), tile.hwnd());

    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kOutside);
    EXPECT_FALSE(tile.pressed);
    EXPECT_EQ(::GetCapture(), nullptr);

    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_EQ(page.Take(), (std::vector<Received>{{1039, 2, 5}}));
    EXPECT_FALSE(tile.hovered);
}

TEST_F(EntryTileTest, PageEntriesAreInertWhileASelectDialogIsUp) {
    State().selectDialogActive = true;
    State().selectDialogWindow = main.hwnd();
    ::SetFocus(page.hwnd());
    State().tileSelection = 7;
    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    tile.Select();
    EXPECT_TRUE(page.Take().empty());
    EXPECT_TRUE(main.Take().empty());
    EXPECT_EQ(State().tileSelection, 7);
    EXPECT_EQ(::GetFocus(), main.hwnd());
}

TEST_F(EntryTileTest, SelectDialogEntriesReactAndActivateOnPress) {
    std::vector<XCStatic*> activated;
    XCStatic::SetActivator([&](XCStatic& t) { activated.push_back(&t); });
    tile.kind = XCStatic::kSelectDialogEntry;
    State().selectDialogActive = true;
    State().selectDialogWindow = page.hwnd();

    ::SendMessageW(tile.hwnd(), WM_MOUSEMOVE, 0, kInside);
    EXPECT_EQ(page.Take(), (std::vector<Received>{{1064, 2, 0}}));
    EXPECT_EQ(State().tileSelection, 2);
    ::SendMessageW(tile.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, kInside);
    EXPECT_TRUE(page.Take().empty());  // no 1039: the entry carries itself out
    EXPECT_EQ(activated, (std::vector<XCStatic*>{&tile}));
    EXPECT_EQ(::GetCapture(), nullptr);

    // Unpress leaves a select-dialog entry's pressed state alone.
    tile.pressed = true;
    tile.Unpress();
    EXPECT_TRUE(tile.pressed);
    tile.kind = 1;
    tile.Unpress();
    EXPECT_FALSE(tile.pressed);
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

TEST_F(EntryTileTest, OutlineFollowsTileSelectionAndNothingErasesTheParent) {
    Canvas canvas(200, 60);
    State().tileSelection = 2;
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(0, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(5, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(7, 30), Canvas::kBackground);
    State().tileSelection = 3;
    canvas.PaintFrom(tile.hwnd());
    EXPECT_EQ(canvas.At(2, 30), 0x161616u);
    EXPECT_EQ(::SendMessageW(tile.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
    EXPECT_EQ(canvas.At(100, 2), 0x161616u);  // untouched by the erase
}

}  // namespace
}  // namespace tessaly
