#pragma once
// Window tests: a parent dialog that records what the skinned controls send it, and pixel reads
// from a control painted into a memory bitmap.
#include <windows.h>

#include <vector>

#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly::testing {

struct Received {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    bool operator==(const Received&) const = default;
};

class RecordingParent : public win32::Dialog {
public:
    static constexpr int kTemplate = 600;
    static constexpr COLORREF kBackground = RGB(0x20, 0x40, 0x80);
    RecordingParent() : Dialog(kTemplate) {}

    std::vector<Received> received;
    std::vector<WPARAM> keysSeen;  // key-downs offered to our pre-translation
    bool destroyOnClose = false;
    int closes = 0;

    // Only our messages, in order; queued ones are pumped first.
    std::vector<Received> Take() {
        Pump();
        std::vector<Received> out;
        out.swap(received);
        return out;
    }
    static void Pump() {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN) keysSeen.push_back(msg.wParam);
        return true;
    }

protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg >= WM_USER && msg < WM_USER + 100) {
            received.push_back({msg, wp, lp});
            return 0;
        }
        if (msg == WM_CLOSE) {
            ++closes;
            received.push_back({msg, wp, lp});
            if (destroyOnClose) Destroy();
            return 0;
        }
        if (msg == WM_ERASEBKGND) {
            win32::Brush brush(::CreateSolidBrush(kBackground));
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            ::FillRect(reinterpret_cast<HDC>(wp), &client, brush.get());
            return 1;
        }
        return std::nullopt;
    }
};

// A 32-bit top-down bitmap filled with one colour, to paint a control into with WM_PRINTCLIENT.
class Canvas {
public:
    static constexpr COLORREF kBackground = RecordingParent::kBackground;

    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_.reset(::CreateCompatibleDC(nullptr));
        bitmap_.reset(::CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
        old_ = ::SelectObject(dc_.get(), bitmap_.get());
        Clear();
    }
    ~Canvas() { ::SelectObject(dc_.get(), old_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_.get(); }
    void Clear() {
        win32::Brush brush(::CreateSolidBrush(kBackground));
        RECT all{0, 0, width_, height_};
        ::FillRect(dc_.get(), &all, brush.get());
    }
    // As a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        DWORD px = static_cast<const DWORD*>(bits_)[y * width_ + x];
        return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    }
    void PaintFrom(HWND control) {
        Clear();
        ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()),
                       PRF_CLIENT);
    }

private:
    int width_, height_;
    win32::MemoryDc dc_;
    win32::Bitmap bitmap_;
    void* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// GDI objects held by this process. Where the platform does not count them (it answers 0), the
// handle table's free slots are counted instead by filling it with pens for a moment: the number
// in use is then the limit less what could still be made.
inline long GdiObjectsInUse() {
    DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (n != 0) return static_cast<long>(n);
    constexpr long kLimit = 200000;
    std::vector<HPEN> pens;
    pens.reserve(70000);
    while (static_cast<long>(pens.size()) < kLimit) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
        if (!pen) break;
        pens.push_back(pen);
    }
    for (HPEN pen : pens) ::DeleteObject(pen);
    return kLimit - static_cast<long>(pens.size());
}

}  // namespace tessaly::testing
