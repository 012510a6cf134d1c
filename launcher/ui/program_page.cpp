#include "launcher/ui/program_page.h"

#include "launcher/ui/page_turn.h"
#include "launcher/ui/messages.h"
#include "launcher/ui/remote_keys.h"
#include "launcher/system/drive_lists.h"
#include "launcher/model/media_kind.h"
#include "launcher/resources/resource.h"
#include "launcher/model/menu_logic.h"
#include "launcher/ui/skin_font.h"
#include "launcher/ui/tiles.h"
#include "win32/scale.h"

namespace tessaly {

namespace {

bool AskReallyDelete(HWND page) {
    return ::MessageBoxW(page, L"Really delete?", L"Tessaly", MB_YESNO) == IDYES;
}

}  // namespace

ProgramPageKind GamePageKind() { return {IDD_GAME_PAGE, kGameGroup, IDJ_GAME_PAGE}; }
ProgramPageKind OtherPageKind() { return {IDD_OTHER_PAGE, kOtherGroup, IDJ_OTHER_PAGE}; }

ProgramPage::ProgramPage(const ProgramPageKind& kind, ShellServices& shell, LaunchActions& launch)
    : win32::Dialog(kind.templateId), confirmDelete(AskReallyDelete), shell_(shell), launch_(launch),
      groupNumber_(kind.group), backgroundId_(kind.backgroundId), selectDialog_(shell) {
    SetGroupKey(GroupStore::KeyPathFor(kind.group));
}

ProgramPage::~ProgramPage() {
    if (browser_) browser_->Destroy();
    selectDialog_.Destroy();
    Destroy();
    FreeTiles();
}

const EntryTile* ProgramPage::tile(int slot) const {
    return slot >= 1 && slot <= tileCount_ ? tiles_[static_cast<std::size_t>(slot)].get() : nullptr;
}

void ProgramPage::ReadGroup() { store_.ReadGroup(groupEntries_, GroupEntriesToRead(builtinOrder_.size())); }

bool ProgramPage::Open(HWND mainWindow) {
    mainWindow_ = mainWindow;
    if (!hwnd() && !Create(mainWindow)) return false;
    ::ShowWindow(hwnd(), SW_SHOW);
    PlayTurnIn();
    StartPage();
    ::SetFocus(hwnd());
    return true;
}

BOOL ProgramPage::OnInitDialog() {
    LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, (style & ~(DS_ABSALIGN | DS_SYSMODAL)) | WS_CLIPSIBLINGS);

    // The whole screen (a maximised child would only fill its parent's client area).
    const win32::ScreenSize screen = win32::PrimaryScreen();
    ::SetWindowPos(hwnd(), nullptr, 0, 0, screen.cx, screen.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    flow_ = std::make_unique<TileFlow>(screen.cx, screen.cy, client.bottom);
    tileCount_ = 0;
    current_ = 1;
    highlighted_ = 1;
    tilesCreated_ = false;

    LoadTiles();
    frame_.reset();
    LoadSkinPicture(background_, backgroundId_);
    LoadSkinImageResource(win32::AppInstance(), backgroundId_, L"JPEG", shell_.turnPictures().page);
    // The menu's side of the turn: the main window's background, lent in place, or decoded here.
    if (!shell_.turnPictures().menu) {
        LoadSkinImageResource(win32::AppInstance(), IDJ_TURN_MENU_PICTURE, L"JPEG", shell_.turnPictures().menu);
    }
    clock_.Place(ClockRect(screen.cx, screen.cy, 50), ClockFace::PageStyle(screen.cy));
    return FALSE;
}

void ProgramPage::LoadTiles() {
    FreeTiles();
    ReadGroup();
    for (const LaunchEntry& e : PageEntries(builtinOrder_, builtinTargets_, groupEntries_)) {
        ++tileCount_;
        AddTile(e.name, e.target);
    }
}

void ProgramPage::AddTile(const std::wstring& name, const std::wstring& target) {
    if (tileCount_ < 1 || tileCount_ > kPageUsableSlots || !flow_) return;
    const auto slot = static_cast<std::size_t>(tileCount_);
    layout_[slot] = flow_->Next();
    auto tile = std::make_unique<EntryTile>(static_cast<EntryTileOwner&>(*this));
    tile->label = name;
    tile->kind = groupNumber_;
    tile->index = tileCount_;
    tile->target = target;
    tile->Create(L"", kPageEntryStyle, layout_[slot], hwnd(), IDC_PAGE_TILE);
    ::ShowWindow(tile->hwnd(), SW_SHOW);
    tiles_[slot] = std::move(tile);
}

void ProgramPage::FreeTiles() {
    for (auto& t : tiles_) t.reset();
    tileCount_ = 0;
}

void ProgramPage::StartPage() {
    if (!hwnd()) return;
    ClockStep();
    ::SetTimer(hwnd(), kPageClockTimer, 1000, nullptr);
    tilesCreated_ = true;
    if (EntryTile* t = tiles_[static_cast<std::size_t>(current_)].get()) t->Select();
}

void ProgramPage::ClockStep() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    if (clock_.Tick(now) && hwnd()) ::InvalidateRect(hwnd(), &clock_.box(), FALSE);
}

// ---- keys ----

bool ProgramPage::PreTranslateMessage(MSG& msg) {
    if (OnRemote(ReadRemoteKey(msg, false))) return true;
    if (msg.message == WM_KEYDOWN && hwnd()) return KeyDown(msg);
    return win32::Dialog::PreTranslateMessage(msg);
}

bool ProgramPage::KeyDown(MSG& msg) {
    if (shell_.selectDialog().active()) {
        shell_.selectDialog().Focus();
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) return false;
        return win32::Dialog::PreTranslateMessage(msg);
    }
    const bool panel = shell_.PanelShown();
    switch (msg.wParam) {
        case VK_RETURN:
            if (!panel) ActivateSlot(current_);
            return true;
        case VK_ESCAPE:
            return false;
        case VK_LEFT:
            if (panel) return false;
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return true;
        case VK_UP:
        case VK_DOWN:
            if (panel) return false;
            Move(msg.wParam == VK_DOWN);
            return true;
        case VK_RIGHT:
            return !panel;
        case VK_DELETE:
            if (!panel) DeleteCurrent();
            return true;
        default:
            return win32::Dialog::PreTranslateMessage(msg);
    }
}

// Back and Home leave the page as Left does (Esc does nothing here); Channel up/down go a column;
// a digit picks that tile.
bool ProgramPage::OnRemote(const RemoteInput& in) {
    if (!hwnd() || in.action == RemoteAction::None || shell_.selectDialog().active()) return false;
    switch (in.action) {
        case RemoteAction::Back:
        case RemoteAction::Home:
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return true;
        case RemoteAction::PageUp:
        case RemoteAction::PageDown: {
            int perColumn = 0;
            for (int s = 1; s <= tileCount_ && layout_[static_cast<std::size_t>(s)].left == layout_[1].left; ++s)
                ++perColumn;
            const bool forward = in.action == RemoteAction::PageDown;
            SelectSlot(ColumnStep(current_, tileCount_, perColumn, forward,
                                  [this](int slot) { return SlotAvailable(slot); }));
            return true;
        }
        case RemoteAction::Digit:
            if (in.digit <= tileCount_ && SlotAvailable(in.digit)) SelectSlot(in.digit);
            return true;
        default:
            return false;
    }
}

bool ProgramPage::SlotAvailable(int slot) const {
    const EntryTile* t = tiles_[static_cast<std::size_t>(slot)].get();
    return t && t->available;
}

void ProgramPage::Move(bool forward) {
    SelectSlot(MoveHighlight(current_, tileCount_, forward, [this](int slot) { return SlotAvailable(slot); }));
}

void ProgramPage::SelectSlot(int slot) {
    for (int s = 1; s <= tileCount_; ++s) {
        if (SlotAvailable(s)) tiles_[static_cast<std::size_t>(s)]->Unpress();
    }
    current_ = slot;
    if (EntryTile* t = tiles_[static_cast<std::size_t>(current_)].get()) t->Select();
}

void ProgramPage::DeleteCurrent() {
    EntryTile* victim = current_ >= 1 && current_ <= tileCount_ ? tiles_[static_cast<std::size_t>(current_)].get() : nullptr;
    if (!victim || !victim->available) return;
    if (builtinTargets_.Contains(victim->label) || EqualsIgnoringAsciiCase(victim->target, kReturnTarget)) return;
    if (!confirmDelete || !confirmDelete(hwnd())) return;
    if (!hwnd()) return;  // closed while the question was up

    DeleteEntry(victim->label);
    victim->available = false;
    std::vector<bool> available(static_cast<std::size_t>(tileCount_) + 1, false);
    for (int s = 1; s <= tileCount_; ++s) {
        EntryTile* t = tiles_[static_cast<std::size_t>(s)].get();
        available[static_cast<std::size_t>(s)] = t && t->available;
        if (t) ::ShowWindow(t->hwnd(), SW_HIDE);
    }
    const std::vector<int> positions = ClosedGapPositions(available);
    for (int s = 1; s <= tileCount_; ++s) {
        const int pos = positions[static_cast<std::size_t>(s)];
        EntryTile* t = tiles_[static_cast<std::size_t>(s)].get();
        if (!t || pos == 0) continue;
        const RECT& r = layout_[static_cast<std::size_t>(pos)];
        ::MoveWindow(t->hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        ::ShowWindow(t->hwnd(), SW_SHOW);
    }
    // The tile that now stands where the deleted one stood.
    current_ = MoveHighlight(current_, tileCount_, true, [&](int s) { return available[static_cast<std::size_t>(s)]; });
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    if (EntryTile* t = tiles_[static_cast<std::size_t>(current_)].get()) t->Select();
}

// ---- activation ----

void ProgramPage::ActivateSlot(int slot) {
    if (slot < 1 || slot > tileCount_) return;
    if (EntryTile* t = tiles_[static_cast<std::size_t>(slot)].get()) t->Activate();
}

void ProgramPage::OnEntryActivated(EntryTile& entry) {
    LaunchOutcome o = launch_.Run(entry.label, entry.target, entry.kind, shell_.drives().cdromDrives);
    if (o.kind == LaunchOutcome::kClosePage) {
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
    } else if (o.kind == LaunchOutcome::kPageCommand) {
        PageCommand(o.command, o.param);
    }
}

void ProgramPage::PageCommand(int command, LPARAM kind) {
    switch (command) {
        case kBrowseByTileKind:
            Browse(kind == 1 || kind == 4 ? PageBrowse::kVideo
                   : kind == 3            ? PageBrowse::kPictures
                                          : PageBrowse::kUnchanged);
            break;
        case kChooseRemovableDisk:
            RemovableDiskChoice();
            break;
        case kBrowseVideos:
            Browse(PageBrowse::kVideo);
            break;
        case kBrowsePicturesCommand:
            Browse(PageBrowse::kPictures);
            break;
        default:
            Browse(PageBrowse::kUnchanged);
            break;
    }
}

void ProgramPage::Browse(PageBrowse what) {
    if (runBrowser) runBrowser(what);
}

void ProgramPage::UseBrowser(PlayerPort& player, BrowserHooks hooks, const SkinImage* folderIcon) {
    browser_ = std::make_unique<BrowserWindow>(player, std::move(hooks), nullptr, nullptr, folderIcon);
    runBrowser = [this](PageBrowse what) { RunOwnBrowser(what); };
}

// Video and picture browsing choose the browser's kind; otherwise it keeps what it had.
void ProgramPage::RunOwnBrowser(PageBrowse what) {
    if (!browser_ || !hwnd() || browser_->hwnd()) return;
    if (what == PageBrowse::kVideo) browser_->SetMode(MediaKind::Video);
    if (what == PageBrowse::kPictures) browser_->SetMode(MediaKind::Picture);
    browser_->DoModal(hwnd());
    if (hwnd()) ::SetFocus(hwnd());
}

void ProgramPage::RemovableDiskChoice() {
    std::wstring drives = ScanRemovableAndCdromDrives().removableDrives;
    if (drives.size() <= 4) {
        shell_.drives().removableDrives = drives;
        Browse(PageBrowse::kVideo);
        return;
    }
    // The roots become choices; what is left of the list is a fragment shorter than a root.
    for (const LaunchEntry& c : RemovableDiskChoices(drives)) selectDialog_.choices().Set(c.name, c.target);
    shell_.drives().removableDrives = drives.substr(drives.size() - drives.size() % 4);
    if (!selectDialog_.hwnd() && !selectDialog_.Create(hwnd())) return;
    ::ShowWindow(selectDialog_.hwnd(), SW_SHOW);
}

// ---- tiles' reports ----

bool ProgramPage::IsHighlighted(const EntryTile& entry) const { return entry.index == highlighted_; }

void ProgramPage::OnEntryHovered(EntryTile& entry) {
    current_ = entry.index;
    for (int s = 1; s <= tileCount_; ++s) {
        EntryTile* t = tiles_[static_cast<std::size_t>(s)].get();
        if (t && t != &entry) t->Unpress();
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void ProgramPage::OnEntrySelected(EntryTile& entry) {
    highlighted_ = entry.index;
    if (mainWindow_) shell_.PlayClick();
}

void ProgramPage::OnEntryPressed(EntryTile& entry) { ActivateSlot(entry.index); }

// ---- messages ----

std::optional<LRESULT> ProgramPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_TIMER:
            if (wp == kPageClockTimer) ClockStep();
            return 0;
        case WM_RBUTTONDOWN:
            if (!shell_.selectDialog().active()) ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return 0;
        case WM_SETFOCUS:
            if (shell_.selectDialog().active()) shell_.selectDialog().Focus();
            return std::nullopt;
        case kMsgPageCommand:
            PageCommand(static_cast<int>(wp), lp);
            return 0;
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd(), lp);
        default:
            return std::nullopt;
    }
}

void ProgramPage::OnClose() {
    if (hwnd()) ::KillTimer(hwnd(), kPageClockTimer);
    selectDialog_.Destroy();
    // The main window takes the screen back (and may destroy this window) before the send
    // returns; its page-turn still needs both pictures.
    if (mainWindow_) shell_.ReturnFromPage(groupNumber_);
    if (tilesCreated_) FreeTiles();
    shell_.turnPictures().page.reset();
    // A lent view stays with the main window, which owns its pixels; a picture decoded here goes.
    if (shell_.turnPictures().menu && !shell_.turnPictures().menu->viewOf()) shell_.turnPictures().menu.reset();
    Destroy();
}

void ProgramPage::OnDestroyed() {
    frame_.reset();
    FreeTiles();
    tilesCreated_ = false;
}

// The turn from the menu, drawn straight onto the page as it opens; it ends on the page's own
// picture, which the paint after it draws with the clock.
void ProgramPage::PlayTurnIn() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    win32::WindowDc dc(hwnd());
    if (dc) PlayPageTurn(dc.get(), client, shell_.turnPictures().menu.get(), shell_.turnPictures().page.get(), 1);
}

void ProgramPage::Paint() {
    win32::PaintDc paint(hwnd());
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    // The page's picture is drawn once at the window's size and kept: the clock's tick repaints a
    // small box, which is copied from it instead of drawing the whole picture every second.
    if (!background_) return;
    if (frame_.width() != client.right || frame_.height() != client.bottom) {
        if (!frame_.Make(paint.get(), client.right, client.bottom)) return;
        DrawSkinPicture(frame_.dc(), background_, 0, 0, client.right, client.bottom);
    }
    const RECT& dirty = paint.info().rcPaint;
    ::BitBlt(paint.get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, frame_.dc(),
             dirty.left, dirty.top, SRCCOPY);
    clock_.Draw(paint.get());
}

}  // namespace tessaly
