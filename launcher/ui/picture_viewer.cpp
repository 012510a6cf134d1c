#include "launcher/ui/picture_viewer.h"

#include <algorithm>

using std::max;
using std::min;
#include <gdiplus.h>

#include "launcher/resources/resource.h"
#include "launcher/ui/messages.h"
#include "launcher/ui/remote_keys.h"
#include "win32/handles.h"

namespace tessaly {

std::unique_ptr<TurnPicture> LoadViewerPicture(const std::wstring& path, SIZE screen) {
    if (path.empty() || screen.cx <= 0 || screen.cy <= 0) return nullptr;
    const std::unique_ptr<Gdiplus::Bitmap> image = DecodePictureFile(path);
    if (!image) return nullptr;
    const SIZE natural{static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
    // Rendered once at its place on the screen: its own size, or squeezed to the screen.
    return TurnPicture::Render(image.get(), std::min<LONG>(natural.cx, screen.cx),
                               std::min<LONG>(natural.cy, screen.cy), natural);
}

void PictureHandOff::operator()(HWND owner, const std::wstring& folderPath,
                                const std::vector<std::wstring>& items, int folderCount, int index) const {
    viewer_->Prepare(folderPath, items, folderCount, index);
    viewer_->DoModal(owner);
}

PictureViewer::PictureViewer()
    : win32::Dialog(IDD_PICTURE_VIEWER),
      screen_{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
      decoder_(kMsgViewerPicture,
               [screen = screen_](const std::wstring& path) { return LoadViewerPicture(path, screen); }) {}

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
    decoder_.Withdraw();
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
    if (ReadRemoteKey(msg).action == RemoteAction::Home) {
        PassHomeOn(hwnd());
        OnCancel();
        return true;
    }
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
    // The turn plays when the picture arrives; until then the one before stays and keys work.
    decoder_.Request(hwnd(), picturePath_);
}

void PictureViewer::ShowDecoded() {
    std::optional<NewestWorker<TurnPicture>::Result> result = decoder_.Take();
    if (!result || result->path != picturePath_) return;
    newImage_ = std::move(result->picture);  // null: unreadable, turned in as black
    // The flip plays straight onto the window as the picture arrives; a paint only draws the one
    // at rest.
    win32::WindowDc dc(hwnd());
    const std::wstring& caption = folderPath_.empty() ? folderPath_ : picturePath_;
    TurnOptions options = turnOptions_;
    options.stopEarly = [this] { return KeyWaiting(); };
    lastTurnFrames_ = dc ? PlayPictureFlip(dc.get(), screen_, oldImage_, newImage_.get(), caption, options) : 0;
    oldImage_ = std::move(newImage_);
}

bool PictureViewer::KeyWaiting() const {
    MSG next;
    return ::PeekMessageW(&next, hwnd(), WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD) != 0;
}

void PictureViewer::Paint() {
    win32::PaintDc dc(hwnd());
    const std::wstring& caption = folderPath_.empty() ? folderPath_ : picturePath_;
    DrawPictureAtRest(dc.get(), screen_, oldImage_.get(), caption);
}

std::optional<LRESULT> PictureViewer::OnMessage(UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd(), lp);
        case WM_PAINT:
            Paint();
            return 0;
        case kMsgViewerPicture:
            ShowDecoded();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the paint
        case WM_CLOSE:
            RestoreCursor();
            decoder_.Withdraw();
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
    decoder_.Withdraw();  // not waited for: Esc leaves at once
    oldImage_.reset();
    newImage_.reset();
}

void PictureViewer::RestoreCursor() {
    if (!cursorHidden_) return;
    cursorHidden_ = false;
    ::ShowCursor(TRUE);
}

}  // namespace tessaly
