#include "launcher/ui/picture_viewer.h"

#include <algorithm>

using std::max;
using std::min;
#include <gdiplus.h>

#include "launcher/resources/resource.h"
#include "win32/handles.h"

namespace tessaly {
namespace {

// The file's bytes in a movable memory block (what a stream on global memory needs).
win32::GlobalMemory ReadWholeFile(const std::wstring& path) {
    win32::Handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) return {};
    if (size.QuadPart <= 0 || size.QuadPart > kMaxPictureFileBytes) return {};
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    win32::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!block) return {};
    void* data = ::GlobalLock(block.get());
    if (!data) return {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file.get(), data, bytes, &read, nullptr);
    ::GlobalUnlock(block.get());
    if (!ok || read != bytes) return {};
    return block;
}

}  // namespace

std::unique_ptr<TurnPicture> LoadViewerPicture(const std::wstring& path, SIZE screen) {
    if (path.empty() || screen.cx <= 0 || screen.cy <= 0) return nullptr;
    win32::GlobalMemory block = ReadWholeFile(path);
    if (!block) return nullptr;
    // A picture too large to hold in memory is refused before the decoder allocates for it.
    {
        const void* bytes = ::GlobalLock(block.get());
        UINT w = 0;
        UINT h = 0;
        const bool known = bytes && PictureHeaderSize(static_cast<const unsigned char*>(bytes),
                                                      ::GlobalSize(block.get()), w, h);
        ::GlobalUnlock(block.get());
        if (known &&
            (w == 0 || h == 0 || static_cast<unsigned long long>(w) * h > kMaxPicturePixels)) {
            return nullptr;
        }
    }
    win32::ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.get(), FALSE, stream.put()))) return nullptr;

    Gdiplus::Image image(stream.get());
    if (image.GetLastStatus() != Gdiplus::Ok) return nullptr;
    const UINT w = image.GetWidth();
    const UINT h = image.GetHeight();
    if (w == 0 || h == 0 || static_cast<unsigned long long>(w) * h > kMaxPicturePixels)
        return nullptr;
    const SIZE natural{static_cast<LONG>(w), static_cast<LONG>(h)};
    // Rendered once at its place on the screen: its own size, or squeezed to the screen.
    return TurnPicture::Render(&image, std::min<LONG>(natural.cx, screen.cx),
                               std::min<LONG>(natural.cy, screen.cy), natural);
}

void ShowPictureModal(HWND owner, const std::wstring& folderPath,
                      const std::vector<std::wstring>& items, int folderCount, int index) {
    PictureViewer viewer;
    viewer.Prepare(folderPath, items, folderCount, index);
    viewer.DoModal(owner);
}

PictureViewer::PictureViewer()
    : win32::Dialog(IDD_PICTURE_VIEWER),
      screen_{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)} {}

PictureViewer::~PictureViewer() {
    Destroy();
    RestoreCursor();
}

void PictureViewer::Prepare(const std::wstring& folderPath, const std::vector<std::wstring>& items,
                             int folderCount, int index) {
    folderPath_ = folderPath;
    if (!folderPath_.empty() && folderPath_.back() != L'\\') folderPath_ += L'\\';
    names_ = items;
    cursor_ = ViewerCursor(static_cast<int>(names_.size()), folderCount, index);
    picturePath_ = cursor_.empty() ? std::wstring() : folderPath_ + names_[cursor_.index()];
    oldImage_.reset();
    newImage_.reset();
    turnPending_ = false;
}

BOOL PictureViewer::OnInitDialog() {
    // The whole screen: a maximised popup keeps its size under some window systems.
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, screen_.cx, screen_.cy, SWP_NOACTIVATE);
    if (!cursorHidden_) {
        ::ShowCursor(FALSE);
        cursorHidden_ = true;
    }
    ShowCurrent();
    ::SetFocus(hwnd());
    return FALSE;
}

bool PictureViewer::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYUP && msg.hwnd == hwnd()) {
        const ViewerStep step = ViewerStepForKey(static_cast<unsigned>(msg.wParam));
        if (step != ViewerStep::kNone) {
            Step(step);
            return true;
        }
    }
    return win32::Dialog::PreTranslateMessage(msg);
}

void PictureViewer::Step(ViewerStep step) {
    const bool redraw = step == ViewerStep::kPrevious ? cursor_.Previous() : cursor_.Next();
    if (!redraw) return;
    picturePath_ = folderPath_ + names_[cursor_.index()];
    ShowCurrent();
}

void PictureViewer::ShowCurrent() {
    if (folderPath_.empty() || cursor_.empty()) return;
    newImage_ = LoadViewerPicture(picturePath_, screen_);
    turnPending_ = true;
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureViewer::Paint() {
    win32::PaintDc dc(hwnd());
    const std::wstring& caption = folderPath_.empty() ? folderPath_ : picturePath_;
    if (turnPending_) {
        turnPending_ = false;
        lastTurnFrames_ =
            PlayPictureFlip(dc.get(), screen_, oldImage_, newImage_.get(), caption, turnOptions_);
        oldImage_ = std::move(newImage_);
    } else {
        lastTurnFrames_ = 0;
        DrawPictureAtRest(dc.get(), screen_, oldImage_.get(), caption);
    }
}

std::optional<LRESULT> PictureViewer::OnMessage(UINT msg, WPARAM, LPARAM) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the paint
        case WM_CLOSE:
            RestoreCursor();
            oldImage_.reset();
            newImage_.reset();
            return std::nullopt;  // the dialog's own close ends the run
        default:
            return std::nullopt;
    }
}

void PictureViewer::OnDestroyed() {
    // Esc and a destroyed window leave without WM_CLOSE: the cursor comes back on every way out.
    RestoreCursor();
    oldImage_.reset();
    newImage_.reset();
    turnPending_ = false;
}

void PictureViewer::RestoreCursor() {
    if (!cursorHidden_) return;
    cursorHidden_ = false;
    ::ShowCursor(TRUE);
}

}  // namespace tessaly
