#include "win32/handles.h"
#include "win32/window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Probe : public win32::CustomWindow {
public:
    std::vector<UINT_PTR> timers;
    int paints = 0;
    int created = 0;
    int destroyed = 0;
    bool seenNcCreate = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CREATE) seenNcCreate = FromHandle(hwnd()) == this;
        return CustomWindow::WindowProc(msg, wp, lp);
    }
    void OnCreated() override { ++created; }
    void OnPaint(HDC dc) override {
        ++paints;
        RECT r{0, 0, 10, 10};
        win32::Brush red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(dc, &r, red.get());
    }
    void OnTimer(UINT_PTR id) override { timers.push_back(id); }
    void OnDestroyed() override { ++destroyed; }
};

TEST(CustomWindow, OwnClassReachesTheObjectFromCreationToDestruction) {
    Probe a, b;
    ASSERT_TRUE(a.Create(L"TessalyProbe", L"a", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 40, 30}, nullptr));
    // The class is registered once; a second window of it works as well.
    ASSERT_TRUE(b.Create(L"TessalyProbe", L"b", WS_POPUP, 0, RECT{50, 0, 90, 30}, nullptr));
    EXPECT_FALSE(a.Create(L"TessalyProbe", L"again", WS_POPUP, 0, RECT{0, 0, 1, 1}, nullptr));
    EXPECT_TRUE(a.seenNcCreate);
    EXPECT_EQ(a.created, 1);
    EXPECT_TRUE(::IsWindowVisible(a.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(b.hwnd()));
    EXPECT_EQ(win32::Window::FromHandle(b.hwnd()), &b);

    ::SendMessageW(a.hwnd(), WM_TIMER, 7, 0);
    EXPECT_EQ(a.timers, (std::vector<UINT_PTR>{7}));
    EXPECT_TRUE(b.timers.empty());

    // Paint requests arrive typed, with a DC to draw into.
    win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::Bitmap bitmap(::CreateBitmap(20, 20, 1, 32, nullptr));
    win32::SelectedObject keep(dc.get(), bitmap.get());
    ::SendMessageW(a.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    EXPECT_EQ(a.paints, 1);
    EXPECT_EQ(::GetPixel(dc.get(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(::SendMessageW(a.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), 1);

    HWND gone = a.hwnd();
    a.Destroy();
    EXPECT_EQ(a.hwnd(), nullptr);
    EXPECT_EQ(a.destroyed, 1);
    EXPECT_EQ(win32::Window::FromHandle(gone), nullptr);
    EXPECT_NE(b.hwnd(), nullptr);
}

}  // namespace
