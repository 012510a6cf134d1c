#include "launcher/ui/browser_window.h"

#include <objidl.h>
#include <gdiplus.h>

#include "launcher/ui/messages.h"
#include "launcher/ui/remote_keys.h"
#include "launcher/resources/resource.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
constexpr UINT kPlayerTimerMs = 200;
constexpr int kRowFontHeight = 20;
constexpr int kRowFontWidth = 10;

const win32::ModifierPort& PhysicalKeys() {
    static const win32::AsyncKeyState keys;
    return keys;
}

int Sx(int cx, int n) { return win32::Scale(cx, n, 1280); }

bool KeyQueued() {
    MSG next;
    return ::PeekMessageW(&next, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD) != 0;
}

}  // namespace

BrowserLayout LayoutBrowser(int cx, int cy) {
    BrowserLayout l;
    l.width = Sx(cx, 800);
    l.height = win32::ScaleY(cy, 600);
    l.player = RECT{Sx(cx, 580), win32::ScaleY(cy, 200), Sx(cx, 780), win32::ScaleY(cy, 400)};
    const int rowHeight = win32::ScaleY(cy, 30);
    l.pitch = rowHeight + win32::ScaleY(cy, 20);
    const int right = Sx(cx, 500) + 10;
    for (int i = 0; i < kBrowserRows; ++i) {
        const int top = 50 + i * l.pitch;
        l.rows[static_cast<std::size_t>(i)] = RECT{10, top, right, top + rowHeight};
    }
    l.list = RECT{10, 50, right, 50 + kBrowserRows * l.pitch};
    l.caption = RECT{10, 4, l.width, 50};
    // Below the player, clear of the rows and the preview box, large enough to read from a sofa.
    l.busy = RECT{Sx(cx, 515), win32::ScaleY(cy, 420), Sx(cx, 790), win32::ScaleY(cy, 470)};
    l.busyFontHeight = std::max(win32::ScaleY(cy, 26), 18);
    return l;
}

BrowserWindow::BrowserWindow(PlayerPort& player, BrowserHooks hooks,
                                     const win32::ModifierPort* keys,
                                     std::unique_ptr<ScannerFolderSource> source,
                                     const SkinImage* folderIcon)
    : Dialog(IDD_BROWSER),
      player_(player),
      hooks_(std::move(hooks)),
      keys_(keys ? *keys : PhysicalKeys()),
      source_(source ? std::move(source) : std::make_unique<ScannerFolderSource>()),
      model_(*source_, BrowserModel::ProcessCursor()),
      folderIcon_(folderIcon) {}

BrowserWindow::~BrowserWindow() { Destroy(); }

void BrowserWindow::SetMode(MediaKind kind) {
    source_->scanner().LoadExtensionSet(kind);
    mode_ = kind;
}

BOOL BrowserWindow::OnInitDialog() {
    const win32::ScreenSize screen = win32::PrimaryScreen();
    layout_ = LayoutBrowser(screen.cx, screen.cy);
    ::SetWindowPos(hwnd_, nullptr, (screen.cx - layout_.width) / 2, (screen.cy - layout_.height) / 2,
                   layout_.width, layout_.height, SWP_NOZORDER | SWP_NOACTIVATE);
    initialised_ = true;

    player_.Bind(hwnd_, IDC_PLAYER, layout_.player);

    // Background first: the rows copy their part of it from their first paint on.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    layout_.preview = PreviewBox(client.right, client.bottom);
    preview_.SetBox(layout_.preview);
    {
        win32::WindowDc screenDc(hwnd_);
        backgroundDc_.reset(::CreateCompatibleDC(screenDc.get()));
        backgroundBitmap_.reset(::CreateCompatibleBitmap(screenDc.get(), std::max<LONG>(client.right, 1),
                                                         std::max<LONG>(client.bottom, 1)));
    }
    backgroundSelected_.emplace(backgroundDc_.get(), backgroundBitmap_.get());
    ::FillRect(backgroundDc_.get(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    SkinPicture picture;
    if (LoadSkinPicture(picture, IDJ_BROWSER_BACKGROUND)) {
        DrawSkinPicture(backgroundDc_.get(), picture, 0, 0, client.right, client.bottom);
    }

    if (!folderIcon_) {
        LoadSkinImageResource(win32::AppInstance(), IDP_FOLDER_ICON, L"PNG", ownFolderIcon_);
        folderIcon_ = ownFolderIcon_.get();
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].Create(hwnd_, layout_.rows[i], IDC_BROWSER_ROW, this, folderIcon_);
        rows_[i].Fit();
        rows_[i].UseFont(kRowFontHeight, kRowFontWidth);
    }
    LOGFONTW lf{};
    lf.lfHeight = kRowFontHeight;
    lf.lfWidth = kRowFontWidth;
    lf.lfWeight = FW_NORMAL;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    captionFont_.reset(::CreateFontIndirectW(&lf));
    lf.lfHeight = layout_.busyFontHeight;
    lf.lfWidth = 0;
    lf.lfWeight = FW_BOLD;
    busyFont_.reset(::CreateFontIndirectW(&lf));

    model_.Start();
    ShowRows();
    player_.SetUiMode(L"invisible");
    return TRUE;
}

std::optional<LRESULT> BrowserWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kMsgOpenItem:
            OpenItem(static_cast<int>(wp), lp == 1);
            return 0;
        case kMsgPreviewReady:
            ShowPreview();
            return 0;
        case kMsgTreeFiles:
            OnTreeFiles(static_cast<unsigned>(wp));
            return 0;
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd_, lp);
        case WM_TIMER:
            if (wp != kPlayerFullScreenTimer) return std::nullopt;
            if (Playing()) {
                player_.SetFullScreen(true);
                ::KillTimer(hwnd_, kPlayerFullScreenTimer);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win32::PaintDc paint(hwnd_);
            PaintTo(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTo(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_DESTROY:
            Teardown();
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

// ---- keys ----

bool BrowserWindow::PreTranslateMessage(MSG& msg) {
    const bool handled = PreTranslateKey(msg);
    // The last of a burst of keys starts the preview: the ones before it would only be dropped.
    if (previewDeferred_ && hwnd_ && !KeyQueued()) StartPreview();
    return handled;
}

bool BrowserWindow::PreTranslateKey(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
    if (OnRemote(ReadRemoteKey(msg))) {
        altDown_ = false;  // as any other key does
        return true;
    }
    switch (msg.message) {
        case WM_KEYDOWN:
            if (OnKeyDown(msg.wParam)) return true;
            break;
        case WM_KEYUP:
            if (OnKeyUp(msg.wParam)) return true;
            break;
        case WM_SYSKEYDOWN:
            if (OnSysKeyDown(msg.wParam)) return true;
            break;
        case WM_SYSKEYUP:
            if (msg.wParam == VK_MENU) altDown_ = false;
            break;
        default:
            break;
    }
    return Dialog::PreTranslateMessage(msg);
}

bool BrowserWindow::OnKeyDown(WPARAM vk) {
    if (vk != VK_RETURN && vk != VK_CONTROL) altDown_ = false;
    switch (vk) {
        case VK_RETURN:
            if (!altDown_) EnterKey();
            altDown_ = false;
            return true;
        case VK_ESCAPE:
            if (listing_.Busy()) {
                // Esc gives up the tree being listed and whatever of it already plays.
                StopListing();
                if (Playing()) player_.Stop();
                ::SetFocus(hwnd_);
            } else if (Playing()) {
                player_.Stop();
                ::SetFocus(hwnd_);
            } else {
                OnCancel();
            }
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (player_.FullScreen()) return true;
            Navigate(vk == VK_LEFT   ? &BrowserModel::PageUp
                     : vk == VK_UP   ? &BrowserModel::MoveUp
                     : vk == VK_RIGHT ? &BrowserModel::PageDown
                                      : &BrowserModel::MoveDown);
            return true;
        case 'B':
        case 'F':
            if (keys_.IsHeld(VK_LCONTROL) && keys_.IsHeld(VK_LSHIFT) &&
                player_.State() == PlayState::Playing) {
                if (vk == 'B') {
                    player_.FastReverse();
                } else {
                    player_.FastForward();
                }
            }
            return true;
        case VK_F4:
        case VK_MEDIA_NEXT_TRACK:
        case VK_MEDIA_PREV_TRACK:
        case VK_MEDIA_STOP:
        case VK_MEDIA_PLAY_PAUSE:
            return false;  // acted on when released
        default:
            return true;
    }
}

// The remote's buttons that have no key of their own here; the rest arrive as those keys.
bool BrowserWindow::OnRemote(const RemoteInput& in) {
    switch (in.action) {
        case RemoteAction::Home:
            if (Playing()) player_.Stop();
            PassHomeOn(hwnd_);
            OnCancel();
            return true;
        case RemoteAction::PageUp:
        case RemoteAction::PageDown:
            if (!player_.FullScreen())
                Navigate(in.action == RemoteAction::PageUp ? &BrowserModel::PageUp : &BrowserModel::PageDown);
            return true;
        case RemoteAction::Digit: {
            if (player_.FullScreen()) return true;
            const int cursorBefore = model_.cursor();
            model_.SelectRow(in.digit - 1);
            ShowRows();
            if (model_.cursor() != cursorBefore) UpdatePreview();
            return true;
        }
        default:
            return false;
    }
}

bool BrowserWindow::OnKeyUp(WPARAM vk) {
    const PlayState state = player_.State();
    const bool playing = IsPlayingOrPaused(state);
    switch (vk) {
        case VK_F4:
            if (!player_.FullScreen()) return false;
            player_.SetFullScreen(false);
            return true;
        case VK_MEDIA_NEXT_TRACK:
            if (playing) player_.Next();
            return true;
        case VK_MEDIA_PREV_TRACK:
            if (playing) player_.Previous();
            return true;
        case VK_MEDIA_STOP:
            StopListing();
            if (playing) player_.Stop();
            return true;
        case VK_MEDIA_PLAY_PAUSE:
            if (state == PlayState::Paused) {
                player_.Play();
            } else if (state == PlayState::Playing) {
                player_.Pause();
            } else {
                OpenItem(model_.cursor(), true);
            }
            return true;
        default:
            return false;
    }
}

bool BrowserWindow::OnSysKeyDown(WPARAM vk) {
    if (vk == VK_MENU) {
        altDown_ = true;
        return false;
    }
    if (!altDown_ || !keys_.IsHeld(VK_RETURN)) return false;
    if (Playing()) {
        const bool leaving = player_.FullScreen();
        player_.SetFullScreen(!leaving);
        if (leaving) ::SetFocus(hwnd_);
    }
    return true;
}

void BrowserWindow::EnterKey() {
    // Enter on the file that is already playing does not start it again.
    if (Playing() && FileNamePart(player_.Url()) == model_.HighlightedText()) return;
    OpenItem(model_.cursor(), false);
}

// ---- opening and moving ----

void BrowserWindow::OpenItem(int index, bool wholeTree) {
    const std::wstring shownBefore = model_.currentPath();
    const OpenAction action = model_.Open(index, wholeTree);
    switch (action.kind) {
        case OpenAction::kFile:
            ShowRows();
            if (mode_ == MediaKind::Video || mode_ == MediaKind::Music) {
                StopListing();  // the file chosen replaces the tree
                player_.SetUrl(action.path);
                StartPlayback();
            } else if (mode_ == MediaKind::Picture) {
                if (hooks_.showPicture) {
                    hooks_.showPicture(hwnd_, model_.currentPath(), model_.items(), model_.folderCount(),
                                       action.index);
                }
            } else if (mode_ == MediaKind::Program) {
                if (hooks_.chooseProgram) hooks_.chooseProgram(hwnd_, action.path, action.name);
            }
            return;
        case OpenAction::kTree: {
            // The walk runs on its worker; the first file plays as soon as it is found.
            const unsigned ticket = listing_.Begin();
            if (ticket == 0) return;  // one listing at a time
            if (!tree_.Start(hwnd_, *source_, action.path, ticket)) {
                listing_.Cancel();
                return;
            }
            ::InvalidateRect(hwnd_, &layout_.busy, FALSE);
            return;
        }
        case OpenAction::kShown:
        case OpenAction::kNothing:
            ShowRows();
            if (model_.currentPath() != shownBefore) {
                ::InvalidateRect(hwnd_, &layout_.caption, FALSE);
            }
            UpdatePreview();
            return;
    }
}

void BrowserWindow::StartPlayback() {
    player_.Play();
    player_.SetUiMode(L"full");
    ::SetTimer(hwnd_, kPlayerFullScreenTimer, kPlayerTimerMs, nullptr);
}

void BrowserWindow::OnTreeFiles(unsigned ticket) {
    if (!listing_.Busy() || ticket != listing_.Ticket()) return;  // a listing given up since
    TreeWorker::Batch batch = tree_.Take();
    switch (listing_.Found(ticket, !batch.files.empty())) {
        case TreeListing::Use::kStart:
            player_.SetPlaylist(batch.files);
            StartPlayback();
            break;
        case TreeListing::Use::kAppend:
            player_.AppendToPlaylist(batch.files);
            break;
        case TreeListing::Use::kDrop:
            break;
    }
    if (batch.finished && listing_.Finished(ticket)) {
        tree_.Cancel();  // the walk has ended: this only collects its thread
        ::InvalidateRect(hwnd_, &layout_.busy, FALSE);
    }
}

void BrowserWindow::StopListing() {
    if (!listing_.Busy()) return;
    listing_.Cancel();
    tree_.Stop();  // a walk stuck on a slow drive must not hold up the keys
    ::InvalidateRect(hwnd_, &layout_.busy, FALSE);
}

void BrowserWindow::Navigate(void (BrowserModel::*step)()) {
    const int cursorBefore = model_.cursor();
    (model_.*step)();
    ShowRows();
    if (model_.cursor() != cursorBefore) UpdatePreview();
}

void BrowserWindow::ShowRows() {
    for (int i = 0; i < kBrowserRows; ++i) {
        const RowView v = model_.Row(i);
        BrowserRow& r = rows_[static_cast<std::size_t>(i)];
        r.SetText(v.text, v.folder);
        r.SetHighlighted(v.highlighted);
    }
}

// ---- preview ----

void BrowserWindow::UpdatePreview() {
    if (mode_ != MediaKind::Picture || !hwnd_) return;
    std::wstring path;
    // Folders, drives and ".." are not pictures.
    if (!model_.IsFolderIndex(model_.cursor()) && !model_.HighlightedText().empty()) {
        path = model_.currentPath() + model_.HighlightedText();
    }
    if (path == previewWanted_) return;
    previewWanted_ = path;
    if (previewBitmap_) {
        // On wide screens the rows reach into the box: they show the preview behind their text.
        ::RedrawWindow(hwnd_, &layout_.preview, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    previewPath_.clear();
    previewBitmap_.reset();
    preview_.Request(hwnd_, {});  // whatever is under way is stale now
    previewDeferred_ = !path.empty();
    if (previewDeferred_ && !KeyQueued()) StartPreview();
}

void BrowserWindow::StartPreview() {
    previewDeferred_ = false;
    preview_.Request(hwnd_, previewWanted_);
}

void BrowserWindow::ShowPreview() {
    std::optional<PreviewWorker::Result> result = preview_.Take();
    if (!result || !result->picture || result->path != previewWanted_ || !backgroundDc_) return;
    const PreviewPlacement& place = result->picture->place;
    win32::WindowDc screen(hwnd_);
    win32::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    win32::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), place.width, place.height));
    if (!dc || !bitmap) return;
    {
        win32::SelectedObject selected(dc.get(), bitmap.get());
        // Start from the background so a picture with transparency shows it, not black.
        ::BitBlt(dc.get(), 0, 0, place.width, place.height, backgroundDc_.get(), place.x, place.y,
                 SRCCOPY);
        Gdiplus::Graphics g(dc.get());
        if (g.DrawImage(result->picture->bitmap.get(), 0, 0, place.width, place.height) != Gdiplus::Ok) return;
    }
    previewBitmap_ = std::move(bitmap);
    previewPlace_ = place;
    previewPath_ = result->path;
    RECT box{place.x, place.y, place.x + place.width, place.y + place.height};
    ::RedrawWindow(hwnd_, &box, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// ---- painting ----

void BrowserWindow::PaintRowBackground(HDC dc, HWND row) {
    RECT r{};
    ::GetWindowRect(row, &r);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    ::BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, backgroundDc_.get(), r.left, r.top, SRCCOPY);
    DrawPreview(dc, r.left, r.top);
}

void BrowserWindow::DrawPreview(HDC dc, int originX, int originY) {
    if (!previewBitmap_) return;
    win32::MemoryDc pic(::CreateCompatibleDC(dc));
    win32::SelectedObject sel(pic.get(), previewBitmap_.get());
    ::BitBlt(dc, previewPlace_.x - originX, previewPlace_.y - originY, previewPlace_.width,
             previewPlace_.height, pic.get(), 0, 0, SRCCOPY);
}

void BrowserWindow::PaintTo(HDC target) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (!backgroundDc_ || client.right <= 0 || client.bottom <= 0) return;
    win32::MemoryDc dc(::CreateCompatibleDC(target));
    win32::Bitmap frame(::CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!dc || !frame) return;
    win32::SelectedObject selected(dc.get(), frame.get());
    ::BitBlt(dc.get(), 0, 0, client.right, client.bottom, backgroundDc_.get(), 0, 0, SRCCOPY);
    {
        win32::SelectedObject font(dc.get(), captionFont_.get());
        ::SetTextColor(dc.get(), RGB(255, 255, 255));
        ::SetBkMode(dc.get(), TRANSPARENT);
        RECT caption = layout_.caption;
        caption.right = client.right;
        const std::wstring& path = model_.currentPath();
        ::DrawTextW(dc.get(), path.c_str(), static_cast<int>(path.size()), &caption, kTextFormat);
    }
    DrawPreview(dc.get(), 0, 0);
    if (listing_.Busy()) DrawBusySign(dc.get());
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

void BrowserWindow::DrawBusySign(HDC dc) {
    const RECT& r = layout_.busy;
    const int round = (r.bottom - r.top) / 2;
    win32::Brush fill(::CreateSolidBrush(RGB(16, 16, 24)));
    win32::Pen edge(::CreatePen(PS_SOLID, 3, kRowBarColour));
    {
        win32::SelectedObject brush(dc, fill.get());
        win32::SelectedObject pen(dc, edge.get());
        ::RoundRect(dc, r.left, r.top, r.right, r.bottom, round, round);
    }
    win32::SelectedObject font(dc, busyFont_.get());
    ::SetTextColor(dc, kRowTextColour);
    ::SetBkMode(dc, TRANSPARENT);
    RECT text = r;
    ::DrawTextW(dc, L"Reading the drive...", -1, &text, kTextFormat | DT_CENTER);
}

void BrowserWindow::Teardown() {
    ::KillTimer(hwnd_, kPlayerFullScreenTimer);
    // Joined while the window still exists; its late messages find no listing and are dropped.
    listing_.Cancel();
    tree_.Cancel();
    // Joined while the window still exists: nothing is posted to it once it is gone.
    preview_.Stop();
    previewWanted_.clear();
    previewDeferred_ = false;
    player_.Stop();
    model_.Reset();
    if (initialised_) {
        for (BrowserRow& r : rows_) r.Destroy();
        player_.Unbind();
        initialised_ = false;
    }
    previewPath_.clear();
    previewBitmap_.reset();
    backgroundSelected_.reset();
    backgroundBitmap_.reset();
    backgroundDc_.reset();
    captionFont_.reset();
    busyFont_.reset();
    altDown_ = false;
}

}  // namespace tessaly
