// An empty full-screen dialog from a template that paints one colour: the start-up floor.
#include <windows.h>

#include "win32/handles.h"
#include "win32/window.h"

namespace {

class EmptyDialog : public win32::Dialog {
public:
    EmptyDialog() : Dialog(102) {}

protected:
    BOOL OnInitDialog() override {
        ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
        return TRUE;
    }
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT) return std::nullopt;
        win32::PaintDc dc(hwnd());
        win32::Brush brush(::CreateSolidBrush(RGB(40, 60, 90)));
        RECT r{};
        ::GetClientRect(hwnd(), &r);
        ::FillRect(dc.get(), &r, brush.get());
        return 0;
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    win32::SetAppInstance(instance);
    EmptyDialog dlg;
    dlg.DoModal(nullptr);
    return 0;
}
