#include "launcher/ui/menu_window.h"

#include "launcher/ui/page_turn.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

#include "launcher/ui/messages.h"
#include "launcher/ui/remote_keys.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/prompt_button.h"
#include "launcher/ui/tiles.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

constexpr DWORD kFirstFrameWaitMs = 100;
constexpr UINT kBackgroundPollMs = 15;

// The system's common control classes, registered once for the life of the process: the start
// prompt's button class comes from that library (the manifest asks for its version 6).
void RegisterCommonControls() {
    static const win32::Module controls = [] {
        win32::Module module(::LoadLibraryW(L"comctl32.dll"));
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        if (auto init = win32::ProcAddress<Init>(module.get(), "InitCommonControlsEx")) {
            INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), 0xFF};
            init(&icc);
        }
        return module;
    }();
    (void)controls;
}

}  // namespace

namespace {

// The menu background stretched to the screen, as a 32-bit top-down DIB section; null when the
// picture is missing or there is no memory for it. Runs on any thread.
win32::Bitmap StretchedBackground(SIZE screen, DecodedPixels* decoded = nullptr) {
    return StretchedSkinPicture(IDJ_MENU_BACKGROUND, screen, nullptr, decoded);
}

}  // namespace

struct BackgroundJob {
    SIZE screen{};
    bool forgetKeptCopy = false;  // the start-up job also removes an earlier version's file
    win32::Bitmap result;
    // Set once result is there: the paint need not wait for the worker's clean-up as well.
    win32::Handle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

// Earlier versions kept the stretched background in the temporary folder; decoding it is now
// as quick as reading that copy back, so the file only takes room.
void ForgetEarlierKeptBackground(SIZE screen) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH) return;
    const std::wstring name = std::wstring(folder, n) + L"Tessaly-" + std::to_wstring(IDJ_MENU_BACKGROUND) + L"-" +
                              std::to_wstring(screen.cx) + L"x" + std::to_wstring(screen.cy) + L".pixels";
    ::DeleteFileW(name.c_str());  // a link planted there goes, never what it points to
}

// Started with the window: the first paint waits (a little) for the picture.
DWORD WINAPI BackgroundWorker(void* param) {
    auto& job = *static_cast<BackgroundJob*>(param);
    const SIZE screen = job.screen;
    DecodedPixels decoded;  // freed after the window has its picture
    job.result = StretchedBackground(screen, &decoded);
    const bool forget = job.forgetKeptCopy;
    ::SetEvent(job.done.get());  // the job is the window's from here on: not touched again
    if (forget) ForgetEarlierKeptBackground(screen);
    return 0;
}

}  // namespace

MenuWindow::MenuWindow(MenuOwner& owner) : Dialog(IDD_MAIN_WINDOW), owner_(owner) {
    // The background is decoded and stretched while the window is being made.
    StartBackgroundJob(true);
}

MenuWindow::~MenuWindow() {
    for (auto& worker : backgroundWorkers_) ::WaitForSingleObject(worker.get(), INFINITE);
    // The menu's page-turn picture may still show the stretched background in place.
    auto& menu = turnPictures_.menu;
    if (menu && backgroundCache_ && menu->viewOf() == backgroundCache_.get()) menu.reset();
}

void MenuWindow::PlaceFullScreen() {
    // A maximised pop-up does not cover the screen everywhere (no window manager): place it.
    auto s = win32::PrimaryScreen();
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, s.cx, s.cy, SWP_SHOWWINDOW);
}

BOOL MenuWindow::OnInitDialog() {
    // Here, on this thread, before the prompt needs its button class. Loading them on a worker
    // while this thread made its windows deadlocked Wine's 32-bit side now and then (the worker
    // registering their classes, this thread waiting for the loader).
    RegisterCommonControls();
    owner_.MenuCreated(hwnd());
    PlaceFullScreen();

    auto s = win32::PrimaryScreen();
    clock_.Place(ClockRect(s.cx, s.cy, 50), ClockFace::MenuStyle(s.cy));
    {
        win32::WindowDc screen(nullptr);
        memoryDc_.reset(::CreateCompatibleDC(screen.get()));
    }
    StartClock();
    ClockStep();

    const bool prompted = CreateStartPrompt();
    // Without a prompt there is no countdown to end the launcher and nothing to answer: the menu
    // comes up as if the prompt had been answered, so the remote still reaches something.
    if (!prompted) DismissPrompt(true);
    // The first frame shows the background when it is ready in time; the hook answers meanwhile.
    TakeBackground(kFirstFrameWaitMs);
    // What the first frame does not need comes once it is on screen (this message is handled
    // before any paint, and draws the frame first).
    ::PostMessageW(hwnd(), kMsgDecodeTurnPage, 0, 0);
    return FALSE;  // the prompt has the focus
}

void MenuWindow::FirstFrameDone() {
    // Once per run: the message number is no secret, and a second drive scan would drop a start
    // folder that a select-dialog entry has put into the removable list.
    if (startupFinished_) return;
    startupFinished_ = true;
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The icon shows only in the task switcher, never over the full-screen frame.
    if (!icon_) {
        icon_.reset(static_cast<HICON>(::LoadImageW(win32::AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }
    owner_.FirstFrameShown();  // GDI+ first: the page-turn view of the background below needs it
    CreateMenuTiles();
    WaitForBackground();
    firstFrameShown_ = true;
    WrapBackgroundForPageTurn();
}

void MenuWindow::StartClock() {
    if (clockRunning_) return;
    ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    clockRunning_ = true;
}

bool MenuWindow::CreateStartPrompt() {
    auto s = win32::PrimaryScreen();
    RECT r = StartPromptRect(s.cx, s.cy);
    // Nobody answering by the end of the count closes the launcher.
    startPrompt_ = std::make_unique<PromptButton>([this] { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); });
    startPrompt_->countdownActive = true;
    if (!startPrompt_->Create(L"\u662F\u5426\u7EE7\u7EED\u8FD0\u884C: 11", kPromptStyle, r, hwnd(),
                              IDC_START_PROMPT)) {
        startPrompt_.reset();
        return false;
    }
    startPrompt_->textRect = StartPromptTextRect(r);
    startPrompt_->pictureId = IDJ_START_PROMPT;
    ::ShowWindow(startPrompt_->hwnd(), SW_SHOWNORMAL);
    ::SetFocus(startPrompt_->hwnd());
    return true;
}

// The tiles are hidden until the prompt is answered: made after the first frame, or by whatever
// needs them first.
void MenuWindow::CreateMenuTiles() {
    if (menuTiles_[0]) return;
    auto s = win32::PrimaryScreen();
    int minWidth = 0, minHeight = 0;
    for (int i = 1; i <= kMenuTileCount; ++i) {
        auto tile = std::make_unique<MenuTile>(static_cast<MenuTileOwner&>(*this));
        tile->Create(L"", kMenuTileStyle, MenuTileRect(s.cx, s.cy, i), hwnd(), IDC_MENU_TILE);
        tile->SetLabel(MenuLabel(i));
        tile->command = i;
        tile->FitFont();
        if (i == 1 || tile->fontWidth() < minWidth) minWidth = tile->fontWidth();
        if (i == 1 || tile->fontHeight() < minHeight) minHeight = tile->fontHeight();
        menuTiles_[i - 1] = std::move(tile);
    }
    // One size for all labels: the smallest any tile needed.
    for (auto& tile : menuTiles_) tile->SetFontSize(minWidth, minHeight);
}

bool MenuWindow::PreTranslateMessage(MSG& msg) {
    const SelectDialogFocus& selectDialog = owner_.selectDialog();
    KeyContext context{selectDialog.active(), runningCommand_};
    const RemoteInput remote = ReadRemoteKey(msg);
    if (remote.action == RemoteAction::Digit && remote.digit <= kMenuTileCount && menuShown_ &&
        runningCommand_ == 0 && !context.selectDialogActive) {
        HighlightTile(remote.digit);
        return true;
    }
    switch (ClassifyMainKey(msg.message, msg.wParam, context)) {
        case MainKey::FocusSelectDialog:
            if (selectDialog.window()) ::SetFocus(selectDialog.window());
            return false;
        case MainKey::Activate:
            MoveSelection(MoveStep::Activate);
            return true;
        case MainKey::Ignore:
            return false;
        case MainKey::PreviousThenStandard:
            MoveSelection(MoveStep::Previous);
            return StandardDialogKeys(msg);
        case MainKey::NextThenStandard:
            MoveSelection(MoveStep::Next);
            return StandardDialogKeys(msg);
        case MainKey::Standard:
            return StandardDialogKeys(msg);
    }
    return false;
}

void MenuWindow::MoveSelection(MoveStep step) {
    if (step == MoveStep::Activate) {
        if (runningCommand_ > 1) return;
        if (menuShown_) {
            RunMenuCommand(menuSelection_);
        } else {
            DismissPrompt(false);
        }
        return;
    }
    HighlightTile(StepSelection(menuSelection_, step));
}

void MenuWindow::HighlightTile(int command) {
    if (owner_.PanelShown()) return;
    menuSelection_ = command;
    CreateMenuTiles();
    for (auto& tile : menuTiles_) {
        tile->pressed = false;
        ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
    }
    if (owner_.selectDialog().active()) {
        owner_.selectDialog().Focus();
        return;
    }
    MenuTile& current = *menuTiles_[menuSelection_ - 1];
    ::SetFocus(current.hwnd());
    owner_.PlayClick();
    ::InvalidateRect(current.hwnd(), nullptr, TRUE);
}

bool MenuWindow::IsHighlighted(const MenuTile& tile) const { return tile.command == menuSelection_; }

void MenuWindow::OnMenuTileHovered(MenuTile& tile) { MenuTileHovered(tile.command); }

void MenuWindow::OnMenuTileFocused(MenuTile&) { owner_.PlayClick(); }

void MenuWindow::OnMenuTilePressed(MenuTile& tile) { RunMenuCommand(tile.command); }

void MenuWindow::MenuTileHovered(int command) {
    CreateMenuTiles();
    for (auto& tile : menuTiles_) {
        tile->pressed = false;
        ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
    }
    if (command >= 1 && command <= kMenuTileCount) menuSelection_ = command;
}

void MenuWindow::ShowTiles(bool show) {
    CreateMenuTiles();
    for (auto& tile : menuTiles_) ::ShowWindow(tile->hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
}

void MenuWindow::DismissPrompt(bool destroy) {
    if (menuShown_) return;
    if (startPrompt_) {
        startPrompt_->StopCountdown();
        if (destroy) {
            startPrompt_->Destroy();
        } else {
            ::ShowWindow(startPrompt_->hwnd(), SW_HIDE);
            startPrompt_->ReleasePicture();  // the prompt never comes back
        }
    }
    ShowTiles(true);
    PlaceFullScreen();
    ::SetFocus(hwnd());
    menuShown_ = true;
}

void MenuWindow::RunMenuCommand(int command) {
    if (command < 1 || command > kMenuTileCount) return;
    menuSelection_ = command;
    if (command == kExit) {
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return;
    }
    // The menu's keys stay guarded while the command's screen runs: a page until it reports back,
    // a modal browser until it returns.
    runningCommand_ = command;
    const bool page = command == kGameMenu || command == kOtherProgram;
    if (page || command == kAddProgram) {
        ShowTiles(false);
        ::KillTimer(hwnd(), kClockTimer);
        clockRunning_ = false;
    }
    owner_.RunCommand(command);
    if (page) return;
    runningCommand_ = 0;
    if (command == kAddProgram) BackFromAddProgram();
}

// A page has reported back (and is gone): tiles and clock return, then the turn back to the menu
// plays straight onto the window, while the page's picture is still alive; the paint after it
// draws the menu as usual.
void MenuWindow::BackFromPage(bool turn) {
    ClockStep();
    ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    clockRunning_ = true;
    ShowTiles(true);
    runningCommand_ = 0;
    ::SetFocus(hwnd());
    ::SetForegroundWindow(hwnd());
    if (turn && turnPictures_.menu) {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        win32::WindowDc dc(hwnd());
        PlayPageTurn(dc.get(), client, turnPictures_.page.get(), turnPictures_.menu.get(), 0);
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ::UpdateWindow(hwnd());
}

// The modal browser of "Add Program" has returned: tiles and clock come back.
void MenuWindow::BackFromAddProgram() {
    if (!menuShown_) return;
    ShowTiles(true);
    StartClock();
}

void MenuWindow::ClockStep() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    if (clock_.Tick(now)) ::InvalidateRect(hwnd(), &clock_.box(), FALSE);
}

// The background is held once, stretched to the screen; the menu's page-turn picture shows that
// copy in place.
void MenuWindow::SetBackground(win32::Bitmap stretched, SIZE size) {
    auto& menu = turnPictures_.menu;
    if (menu && backgroundCache_ && menu->viewOf() == backgroundCache_.get()) menu.reset();
    backgroundCache_ = std::move(stretched);
    backgroundSize_ = size;
    if (firstFrameShown_) WrapBackgroundForPageTurn();
}

// The page-turn's menu picture shows the background in place, so a page does not decode the
// menu's picture again. Not before the first frame: making the view takes milliseconds that frame
// would wait for, and no page can open before it.
void MenuWindow::WrapBackgroundForPageTurn() {
    auto& menu = turnPictures_.menu;
    if (!menu && backgroundCache_) WrapSkinBitmap(backgroundCache_.get(), menu);
}

// Decodes and stretches the background for the current screen on a worker; one job at a time.
void MenuWindow::StartBackgroundJob(bool atStartup) {
    if (backgroundJob_) return;
    auto job = std::make_unique<BackgroundJob>();
    const auto s = win32::PrimaryScreen();
    job->screen = {s.cx, s.cy};
    job->forgetKeptCopy = atStartup;
    if (!job->done) return;
    win32::Handle worker(::CreateThread(nullptr, 0, BackgroundWorker, job.get(), 0, nullptr));
    if (!worker) return;  // the menu goes on without its picture
    backgroundWorkers_.push_back(std::move(worker));
    backgroundJob_ = std::move(job);
}

// The worker's background, once it is there (waiting at most waitMs). False while it is still
// being made.
bool MenuWindow::TakeBackground(DWORD waitMs) {
    if (!backgroundJob_) return true;
    if (::WaitForSingleObject(backgroundJob_->done.get(), waitMs) != WAIT_OBJECT_0) return false;
    if (backgroundJob_->result) SetBackground(std::move(backgroundJob_->result), backgroundJob_->screen);
    backgroundJob_.reset();  // the thread ends on its own, touching the job no more
    return true;
}

// A slow machine's first frame goes up without the background; it is drawn once it comes. A
// screen size that changed meanwhile gets a picture of its own.
void MenuWindow::WaitForBackground() {
    if (!TakeBackground(0)) {
        ::SetTimer(hwnd(), kBackgroundTimer, kBackgroundPollMs, nullptr);
        return;
    }
    ::KillTimer(hwnd(), kBackgroundTimer);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    const auto s = win32::PrimaryScreen();
    if (backgroundCache_ && (backgroundSize_.cx != s.cx || backgroundSize_.cy != s.cy)) {
        StartBackgroundJob(false);
        if (backgroundJob_) WaitForBackground();
    }
}

void MenuWindow::Paint() {
    win32::PaintDc paint(hwnd());
    HDC screen = paint.get();
    if (!backgroundCache_) {
        // Not decoded yet (or missing): black, no clock, until it comes.
        ::FillRect(screen, &paint.info().rcPaint, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    if (!memoryDc_) return;
    // Only what needs painting: a clock tick copies the clock's box, not the screen.
    const RECT& dirty = paint.info().rcPaint;
    {
        win32::SelectedObject keep(memoryDc_.get(), backgroundCache_.get());
        ::BitBlt(screen, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, memoryDc_.get(),
                 dirty.left, dirty.top, SRCCOPY);
    }
    // The clock is composed over its piece of background first, so the screen gets one block copy.
    const RECT& clockBox = clock_.box();
    const int w = clockBox.right - clockBox.left;
    const int h = clockBox.bottom - clockBox.top;
    win32::Bitmap box(::CreateCompatibleBitmap(screen, w, h));
    win32::MemoryDc background(::CreateCompatibleDC(screen));
    if (!box || !background) return;
    win32::SelectedObject keepBox(memoryDc_.get(), box.get());
    win32::SelectedObject keepBackground(background.get(), backgroundCache_.get());
    ::BitBlt(memoryDc_.get(), 0, 0, w, h, background.get(), clockBox.left, clockBox.top, SRCCOPY);
    POINT origin{};
    ::SetViewportOrgEx(memoryDc_.get(), -clockBox.left, -clockBox.top, &origin);
    clock_.Draw(memoryDc_.get());
    ::SetViewportOrgEx(memoryDc_.get(), origin.x, origin.y, nullptr);
    ::BitBlt(screen, clockBox.left, clockBox.top, w, h, memoryDc_.get(), 0, 0, SRCCOPY);
}

std::optional<LRESULT> MenuWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint step owns every pixel
        case WM_DESTROY:
            owner_.MenuDestroying();  // still our window: sent messages are answered
            return std::nullopt;
        case WM_TIMER:
            if (wp == kClockTimer) ClockStep();
            if (wp == kBackgroundTimer) WaitForBackground();
            return 0;
        case WM_DISPLAYCHANGE:
            PlaceFullScreen();
            WaitForBackground();
            return std::nullopt;
        case WM_SETFOCUS:
            if (owner_.selectDialog().active() && owner_.selectDialog().window()) {
                ::SetFocus(owner_.selectDialog().window());
                return 0;
            }
            return std::nullopt;  // the dialog gives the focus back to its last control
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_.get());
        case WM_COMMAND:
            if (LOWORD(wp) == IDC_START_PROMPT && HIWORD(wp) == BN_CLICKED) {
                DismissPrompt(true);
                return 0;
            }
            return std::nullopt;
        case kMsgRunMenuCommand:
            RunMenuCommand(static_cast<int>(wp));
            return 0;
        case kMsgReturnFromPage:
            owner_.ReturnFromPage(static_cast<int>(wp));
            return 0;
        case kMsgCloseWorker:
            return owner_.HandBackClickWorker(reinterpret_cast<HANDLE>(wp)) ? 1 : 0;
        case kMsgMenuTileHovered:
            MenuTileHovered(static_cast<int>(wp));
            return 0;
        case kMsgProgramPick:
            owner_.ProgramPick(wp, lp);
            return 0;
        case kMsgClickSound:
            owner_.PlayClick();
            return 0;
        case kMsgDecodeTurnPage:
            FirstFrameDone();
            return 0;
        case kMsgTogglePanel:
            owner_.TogglePanel();
            return 0;
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd(), lp);
        default:
            return std::nullopt;
    }
}

void MenuWindow::OnClose() {
    ::KillTimer(hwnd(), kClockTimer);
    clockRunning_ = false;
    owner_.Closing();
    EndDialog(IDCANCEL);
}

}  // namespace tessaly
