#include "launcher/ui/menu_window.h"

#include "launcher/ui/page_turn.h"
#include "launcher/ui/picture_viewer.h"
#include "launcher/system/player_media.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "common/audio/line_volume.h"
#include "launcher/ui/messages.h"
#include "launcher/ui/remote_keys.h"
#include "launcher/system/access_service.h"
#include "launcher/system/drive_lists.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/prompt_button.h"
#include "launcher/ui/tiles.h"
#include "win32/scale.h"
#include "win32/shell.h"

namespace tessaly {
namespace {

constexpr DWORD kFirstFrameWaitMs = 100;
constexpr UINT kBackgroundPollMs = 15;

// The file kind a browsing menu command lists: "Play Video" and "Karaoke" videos, "Play Music",
// "Browse Pictures", "Add Program" programs.
MediaKind BrowserKindOfCommand(int command) {
    switch (command) {
        case kPlayMusic: return MediaKind::Music;
        case kBrowsePictures: return MediaKind::Picture;
        case kAddProgram: return MediaKind::Program;
        default: return MediaKind::Video;
    }
}

// The system's common control classes, registered once for the life of the process, by the
// background worker while the main window is being made: loading them (their classes, cursors and
// theme) on the main thread delayed the first frame by about 15 ms, and the start prompt's button
// class comes from the same library (the manifest asks for its version 6).
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

DWORD WINAPI ControlsWorker(void*) {
    RegisterCommonControls();  // before the prompt needs its button class
    return 0;
}

// Beside the controls' worker, not after it: the first paint waits for the picture, and loading
// the control library took as long as decoding and stretching.
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

MenuWindow::MenuWindow(PanelMaker makePanel) : Dialog(IDD_MAIN_WINDOW), makePanel_(std::move(makePanel)) {
    // The background is decoded and stretched while the window is being made.
    controlsWorker_.reset(::CreateThread(nullptr, 0, ControlsWorker, nullptr, 0, nullptr));
    StartBackgroundJob(true);
}

MenuWindow::~MenuWindow() {
    for (auto& worker : backgroundWorkers_) ::WaitForSingleObject(worker.get(), INFINITE);
    if (controlsWorker_) ::WaitForSingleObject(controlsWorker_.get(), INFINITE);
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
    hook_.Install([this](WPARAM message, const KBDLLHOOKSTRUCT& event) {
        return HandleHookEvent(message, event, keys_, *this);
    }, win32::AppInstance());
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
    if (clicks_.path().empty()) clicks_.SetPath(win32::ExecutableFolder() + L"\\ding.wav");
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
    if (!gdiplus_) gdiplus_.emplace();
    // The icon shows only in the task switcher, never over the full-screen frame.
    if (!icon_) {
        icon_.reset(static_cast<HICON>(::LoadImageW(win32::AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    }
    RegisterCommonControls();
    // Created hidden: its start-up switches the karaoke effects on and sets the audio lines. It
    // can be shown only from the menu, which no key reaches before this posted message.
    if (!panel_) {
        panel_ = makePanel_ ? makePanel_() : std::make_unique<KaraokePanel>(effects_, SetLineVolume);
        if (panel_ && !panel_->Create()) panel_.reset();
    }
    CreateMenuTiles();
    WaitForBackground();
    firstFrameShown_ = true;
    WrapBackgroundForPageTurn();
    if (!folderIcon_) LoadSkinImageResource(win32::AppInstance(), IDP_FOLDER_ICON, L"PNG", folderIcon_);
    // Each page runs a browser of its own for its page commands.
    for (ProgramPage* page : {static_cast<ProgramPage*>(&gamePage_), static_cast<ProgramPage*>(&otherPage_)}) {
        if (page->browser()) continue;
        BrowserHooks hooks;
        hooks.showPicture = ShowPictureModal;
        page->UseBrowser(TheMediaPlayer(), std::move(hooks), folderIcon_.get());
    }
    drives_ = ScanRemovableAndCdromDrives();
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
    KeyContext context{selectDialog_.active(), runningCommand_};
    const RemoteInput remote = ReadRemoteKey(msg);
    if (remote.action == RemoteAction::Digit && remote.digit <= kMenuTileCount && menuShown_ &&
        runningCommand_ == 0 && !context.selectDialogActive) {
        HighlightTile(remote.digit);
        return true;
    }
    switch (ClassifyMainKey(msg.message, msg.wParam, context)) {
        case MainKey::FocusSelectDialog:
            if (selectDialog_.window()) ::SetFocus(selectDialog_.window());
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
    if (panelShown_) return;
    menuSelection_ = command;
    CreateMenuTiles();
    for (auto& tile : menuTiles_) {
        tile->pressed = false;
        ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
    }
    if (selectDialog_.active()) {
        if (selectDialog_.window()) ::SetFocus(selectDialog_.window());
        return;
    }
    MenuTile& current = *menuTiles_[menuSelection_ - 1];
    ::SetFocus(current.hwnd());
    PlayClickSound();
    ::InvalidateRect(current.hwnd(), nullptr, TRUE);
}

bool MenuWindow::IsHighlighted(const MenuTile& tile) const { return tile.command == menuSelection_; }

void MenuWindow::OnMenuTileHovered(MenuTile& tile) { MenuTileHovered(tile.command); }

void MenuWindow::OnMenuTileFocused(MenuTile&) { PlayClickSound(); }

void MenuWindow::OnMenuTilePressed(MenuTile& tile) { RunMenuCommand(tile.command); }

void MenuWindow::MenuTileHovered(int command) {
    CreateMenuTiles();
    for (auto& tile : menuTiles_) {
        tile->pressed = false;
        ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
    }
    if (command >= 1 && command <= kMenuTileCount) menuSelection_ = command;
}

void MenuWindow::PostTogglePanel() { ::PostMessageW(hwnd(), kMsgTogglePanel, 0, 0); }

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
    if (command == kGameMenu || command == kOtherProgram) {
        runningCommand_ = command;
        ShowTiles(false);
        ::KillTimer(hwnd(), kClockTimer);
        clockRunning_ = false;
        (command == kGameMenu ? gamePage_ : otherPage_).Open(hwnd());
        return;
    }
    // The browser: its mode from the command; the menu's keys stay guarded while it runs.
    runningCommand_ = command;
    if (command == kAddProgram) {
        ShowTiles(false);
        ::KillTimer(hwnd(), kClockTimer);
        clockRunning_ = false;
    }
    RunBrowser(BrowserKindOfCommand(command));
    runningCommand_ = 0;
    if (command == kAddProgram) BackFromAddProgram();
}

void MenuWindow::RunBrowser(MediaKind kind) {
    if (!browser_) {
        BrowserHooks hooks;
        hooks.showPicture = ShowPictureModal;
        hooks.chooseProgram = [this](HWND browser, const std::wstring& path, const std::wstring& name) {
            ChooseProgram(browser, path, name);
        };
        browser_ = std::make_unique<BrowserWindow>(TheMediaPlayer(), std::move(hooks), &keys_,
                                                       nullptr, folderIcon_.get());
    }
    browser_->SetMode(kind);
    browser_->DoModal(hwnd());
}

// The program picked in "Add Program": the chooser's default choices add it to a group; its entry
// is named after the file without its extension.
void MenuWindow::ChooseProgram(HWND browser, const std::wstring& path, const std::wstring& name) {
    pickedProgramPath_ = path;
    const std::size_t dot = name.rfind(L'.');
    pickedProgramName_ = dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
    programChooser_.DoModal(browser);
    selectDialog_.Finished();
    if (browser && ::IsWindow(browser)) ::SetFocus(browser);
}

// The modal browser of "Add Program" has returned: tiles and clock come back.
void MenuWindow::BackFromAddProgram() {
    if (!menuShown_) return;
    ShowTiles(true);
    StartClock();
}

void MenuWindow::ReturnFromPage(int group) {
    if (closing_) return;
    ClockStep();
    ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    clockRunning_ = true;
    ShowTiles(true);
    runningCommand_ = 0;
    if (group == kGameGroup) gamePage_.Destroy();
    if (group == kOtherGroup) otherPage_.Destroy();
    ::SetFocus(hwnd());
    ::SetForegroundWindow(hwnd());
    // The turn back to the menu plays here, inside the page's report, while the page's pictures
    // are still alive; the paint after it draws the menu as usual.
    if ((group == kGameGroup || group == kOtherGroup) && turnPictures_.menu) {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        win32::WindowDc dc(hwnd());
        PlayPageTurn(dc.get(), client, turnPictures_.page.get(), turnPictures_.menu.get(), 0);
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ::UpdateWindow(hwnd());
}

void MenuWindow::TogglePanel() {
    if (!menuShown_ || !panel_ || !panel_->window()) return;
    panelShown_ = !panel_->IsShown();
    panel_->Show(panelShown_);
    panelWindow_ = panel_->window();
}

void MenuWindow::PlayClickSound() { clicks_.Play(hwnd()); }

// A select dialog's choice, carried out once the key that made it is done (another program may
// send the same message).
void MenuWindow::AddPickedProgram(int groupChoice) {
    ::PostMessageW(hwnd(), kMsgProgramPick, static_cast<WPARAM>(groupChoice), 0);
}

void MenuWindow::OpenFileFrom(const std::wstring& folder) {
    drives_.removableDrives = folder;
    ::PostMessageW(hwnd(), kMsgProgramPick, 0, 1);
}

void MenuWindow::ProgramPick(WPARAM group, LPARAM openFile) {
    if (openFile == 0) {
        if (group == kChooseGameMenu) gamePage_.WriteEntry(pickedProgramName_, pickedProgramPath_);
        if (group == kChooseOtherProgram) otherPage_.WriteEntry(pickedProgramName_, pickedProgramPath_);
        selectDialog_.Finished();
        return;
    }
    drives_.removableDrives = TrimBlanks(drives_.removableDrives);
    std::wstring filter = OpenFileFilter();
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = drives_.removableDrives.empty() ? nullptr : drives_.removableDrives.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    // Loaded here, its one use: at start-up it (and the print spooler it pulls in) would delay the
    // first frame.
    win32::Module dialogs(::LoadLibraryW(L"comdlg32.dll"));
    auto openFileName = win32::ProcAddress<BOOL(WINAPI*)(OPENFILENAMEW*)>(dialogs.get(), "GetOpenFileNameW");
    if (openFileName && openFileName(&ofn)) {
        win32::ShellOpen(file);
    }
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
            clicks_.WaitForAll();  // still our window: their hand-backs are answered
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
            if (selectDialog_.active() && selectDialog_.window()) {
                ::SetFocus(selectDialog_.window());
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
            ReturnFromPage(static_cast<int>(wp));
            return 0;
        case kMsgCloseWorker:
            return clicks_.HandBack(reinterpret_cast<HANDLE>(wp)) ? 1 : 0;
        case kMsgMenuTileHovered:
            MenuTileHovered(static_cast<int>(wp));
            return 0;
        case kMsgProgramPick:
            ProgramPick(wp, lp);
            return 0;
        case kMsgClickSound:
            PlayClickSound();
            return 0;
        case kMsgDecodeTurnPage:
            FirstFrameDone();
            return 0;
        case kMsgTogglePanel:
            TogglePanel();
            return 0;
        case WM_APPCOMMAND:
            return PlayAppCommand(hwnd(), lp);
        default:
            return std::nullopt;
    }
}

void MenuWindow::OnClose() {
    closing_ = true;
    ::KillTimer(hwnd(), kClockTimer);
    clockRunning_ = false;
    RemoveAccessService(deviceHandles_);
    if (panel_ && panel_->window()) ::SendMessageW(panel_->window(), WM_CLOSE, 0, 0);
    if (gamePage_.hwnd()) ::SendMessageW(gamePage_.hwnd(), WM_CLOSE, 0, 0);
    if (otherPage_.hwnd()) ::SendMessageW(otherPage_.hwnd(), WM_CLOSE, 0, 0);
    // Put back the display mode stored in the registry, in case a launched program changed it.
    ::ChangeDisplaySettingsW(nullptr, 0);
    EndDialog(IDCANCEL);
}

}  // namespace tessaly
