#include "launcher/shell/main_dialog.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cwchar>

#include "launcher/pages/access_service.h"
#include "launcher/pages/drive_lists.h"
#include "launcher/shell/app_state.h"
#include "launcher/shell/keyboard_hook.h"
#include "launcher/skin/xcbutton.h"
#include "launcher/skin/xcstatic.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

win32::Font& ClockFont() {
    static win32::Font font;
    return font;
}

LOGFONTW ClockFontDescription() {
    LOGFONTW lf{};
    if (ClockFont()) ::GetObjectW(ClockFont().get(), sizeof(lf), &lf);
    return lf;
}

// Arial at cy*500/1920 tenths of a point, then bold at cy*40/1024 pixels high and
// ClockFontWidth() wide.
void CreateClockFont(int cy) {
    HDC screen = ::GetDC(nullptr);
    int tenths = cy * 500 / 1920;
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(tenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, screen);
    std::wcscpy(lf.lfFaceName, L"Arial");
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = win32::ScaleY(cy, 40);
    lf.lfWidth = ClockFontWidth();
    ClockFont().reset(::CreateFontIndirectW(&lf));
}

// Everything a click worker needs, prepared on the user-interface thread: the worker shares
// no data with it.
struct ClickJob {
    HANDLE self = nullptr;
    HWND mainWindow = nullptr;
    std::wstring openCommand;
};

DWORD WINAPI ClickSoundWorker(void* param) {
    std::unique_ptr<ClickJob> job(static_cast<ClickJob*>(param));
    bool handedBack = false;
    if (::mciSendStringW(job->openCommand.c_str(), nullptr, 0, nullptr) == 0) {
        ::mciSendStringW(L"play movie wait", nullptr, 0, nullptr);
        ::mciSendStringW(L"stop movie", nullptr, 0, nullptr);
        ::mciSendStringW(L"close movie", nullptr, 0, nullptr);
        // The main window answers 1 once it has closed our handle.
        handedBack = ::SendMessageW(job->mainWindow, kMsgCloseWorker,
                                    reinterpret_cast<WPARAM>(job->self), 0) == 1;
    }
    // Nobody took the handle (the sound did not open, or the window is gone): close it here.
    if (!handedBack) ::CloseHandle(job->self);
    return 0;
}

}  // namespace

int& ClockFontWidth() {
    static int width = 20;
    return width;
}
int& ClockFontHeight() {
    static int height = 50;
    return height;
}

CP01Dlg::CP01Dlg() : Dialog(102) {
    CreateClockFont(win32::PrimaryScreen().cy);
}

CP01Dlg::~CP01Dlg() = default;

void CP01Dlg::PlaceFullScreen() {
    // A maximised pop-up does not cover the screen everywhere (no window manager): place it.
    auto s = win32::PrimaryScreen();
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, s.cx, s.cy, SWP_SHOWWINDOW);
}

BOOL CP01Dlg::OnInitDialog() {
    AppState& state = State();
    state.mainWindowHandle = hwnd();
    InstallKeyboardHook(win32::AppInstance());
    PlaceFullScreen();

    auto s = win32::PrimaryScreen();
    clockRect_ = ClockRect(s.cx, s.cy, ClockFontHeight());
    {
        win32::WindowDc screen(nullptr);
        memoryDc_.reset(::CreateCompatibleDC(screen.get()));
    }
    LoadSkinPicture(background_, 215);
    ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    clockRunning_ = true;
    ClockStep();

    icon_.reset(static_cast<HICON>(::LoadImageW(win32::AppInstance(), MAKEINTRESOURCEW(128),
                                                IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));

    DriveRootLists roots = ScanRemovableAndCdromDrives();
    state.removableDrives = roots.removableDrives;
    state.cdromDrives = roots.cdromDrives;
    CreateStartPrompt();
    CreateMenuTiles();
    state.clickSoundPath = win32::ExecutableFolder() + L"\\ding.wav";
    return FALSE;  // the prompt has the focus
}

void CP01Dlg::CreateStartPrompt() {
    auto s = win32::PrimaryScreen();
    RECT r = StartPromptRect(s.cx, s.cy);
    startPrompt_ = std::make_unique<XCButton>();
    startPrompt_->countdownActive = true;
    startPrompt_->Create(L"\u662F\u5426\u7EE7\u7EED\u8FD0\u884C: 11", 0x380 | WS_CHILD, r, hwnd(), kStartPromptId);
    startPrompt_->textRect = StartPromptTextRect(r);
    startPrompt_->pictureId = 216;
    ::ShowWindow(startPrompt_->hwnd(), SW_SHOWNORMAL);
    ::SetFocus(startPrompt_->hwnd());
}

void CP01Dlg::CreateMenuTiles() {
    auto s = win32::PrimaryScreen();
    int minWidth = 0, minHeight = 0;
    for (int i = 1; i <= kMenuTileCount; ++i) {
        auto tile = std::make_unique<IXCStatic>();
        tile->Create(L"", 0x10300, MenuTileRect(s.cx, s.cy, i), hwnd(), kMenuTileId);
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

bool CP01Dlg::PreTranslateMessage(MSG& msg) {
    AppState& state = State();
    KeyContext context{state.selectDialogActive, state.runningCommand};
    switch (ClassifyMainKey(msg.message, msg.wParam, context)) {
        case MainKey::FocusSelectDialog:
            if (state.selectDialogWindow) ::SetFocus(state.selectDialogWindow);
            return false;
        case MainKey::Activate:
            MoveSelection(4);
            return true;
        case MainKey::Ignore:
            return false;
        case MainKey::PreviousThenStandard:
            MoveSelection(0);
            return StandardDialogKeys(msg);
        case MainKey::NextThenStandard:
            MoveSelection(1);
            return StandardDialogKeys(msg);
        case MainKey::Standard:
            return StandardDialogKeys(msg);
    }
    return false;
}

void CP01Dlg::MoveSelection(int step) {
    AppState& state = State();
    if (step == 4) {
        if (state.runningCommand > 1) return;
        if (menuShown_) {
            RunMenuCommand(state.menuSelection);
        } else {
            DismissPrompt(false);
        }
        return;
    }
    if (state.karaokePanelShown) return;
    state.menuSelection = StepSelection(state.menuSelection, step);
    for (auto& tile : menuTiles_) {
        tile->pressed = false;
        ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
    }
    if (state.selectDialogActive) {
        if (state.selectDialogWindow) ::SetFocus(state.selectDialogWindow);
        return;
    }
    IXCStatic& current = *menuTiles_[state.menuSelection - 1];
    ::SetFocus(current.hwnd());
    ::SendMessageW(::GetParent(current.hwnd()), kMsgClickSound, 0, 0);
    ::InvalidateRect(current.hwnd(), nullptr, TRUE);
}

void CP01Dlg::ShowTiles(bool show) {
    for (auto& tile : menuTiles_) ::ShowWindow(tile->hwnd(), show ? SW_SHOWNORMAL : SW_HIDE);
}

void CP01Dlg::DismissPrompt(bool destroy) {
    if (!startPrompt_ || menuShown_) return;
    startPrompt_->StopCountdown();
    if (destroy) {
        startPrompt_->Destroy();
    } else {
        ::ShowWindow(startPrompt_->hwnd(), SW_HIDE);
    }
    ShowTiles(true);
    PlaceFullScreen();
    ::SetFocus(hwnd());
    menuShown_ = true;
    State().menuShown = true;
}

void CP01Dlg::RunMenuCommand(int command) {
    AppState& state = State();
    if (command < 1 || command > kMenuTileCount) return;
    state.menuSelection = command;
    if (command == 8) {
        ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
        return;
    }
    // The browser (1-4, 7) and the program pages (5, 6) are not part of this build yet: their
    // commands leave the menu as it is rather than hiding it with nothing in its place.
}

void CP01Dlg::ReturnFromPage(int group) {
    AppState& state = State();
    if (state.closing) return;
    ClockStep();
    ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    clockRunning_ = true;
    ShowTiles(true);
    state.runningCommand = 0;
    if (group == 5 || group == 6) pageTurnPending_ = true;
    ::SetFocus(hwnd());
    ::SetForegroundWindow(hwnd());
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ::UpdateWindow(hwnd());
}

void CP01Dlg::TogglePanel() {
    AppState& state = State();
    if (!menuShown_ || !karaokePanel || !karaokePanel->hwnd()) return;
    HWND panel = karaokePanel->hwnd();
    if (::IsWindowVisible(panel)) {
        ::ShowWindow(panel, SW_HIDE);
        state.karaokePanelShown = false;
    } else {
        ::ShowWindow(panel, SW_SHOWNORMAL);
        state.karaokePanelShown = true;
    }
    state.karaokePanelWindow = panel;
}

void CP01Dlg::PlayClickSound() {
    if (!clicks_.Allow(::GetTickCount())) return;
    auto job = std::make_unique<ClickJob>();
    job->mainWindow = hwnd();
    job->openCommand = L"open \"" + State().clickSoundPath + L"\" Alias movie";
    HANDLE thread = ::CreateThread(nullptr, 0, ClickSoundWorker, job.get(), CREATE_SUSPENDED, nullptr);
    if (!thread) return;
    job.release()->self = thread;  // the worker owns the job from here on
    ::ResumeThread(thread);
}

void CP01Dlg::ProgramPick([[maybe_unused]] WPARAM group, LPARAM openFile) {
    AppState& state = State();
    if (openFile == 0) {
        // Adding the chosen program to `group` arrives with the program pages.
        state.selectDialogActive = false;
        return;
    }
    state.removableDrives = TrimBlanks(state.removableDrives);
    std::wstring filter = OpenFileFilter();
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hwnd();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = state.removableDrives.empty() ? nullptr : state.removableDrives.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (::GetOpenFileNameW(&ofn)) {
        ::ShellExecuteW(nullptr, L"open", file, nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
}

void CP01Dlg::ClockStep() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    clockText_ = FormatClock(now);
    ::InvalidateRect(hwnd(), &clockRect_, TRUE);
}

void CP01Dlg::RenderBackground(HDC reference) {
    auto s = win32::PrimaryScreen();
    if (backgroundCache_ && backgroundSize_.cx == s.cx && backgroundSize_.cy == s.cy) return;
    backgroundCache_.reset(::CreateCompatibleBitmap(reference, s.cx, s.cy));
    backgroundSize_ = {s.cx, s.cy};
    win32::MemoryDc dc(::CreateCompatibleDC(reference));
    win32::SelectedObject keep(dc.get(), backgroundCache_.get());
    DrawSkinPicture(dc.get(), background_, 0, 0, s.cx, s.cy);
}

void CP01Dlg::Paint() {
    win32::PaintDc paint(hwnd());
    // The page-turn picture is first needed when a page opens: decode it after the first frame
    // (a posted message is handled after this paint, a paint only when nothing is queued).
    if (!TurnPageImage() && !turnPageRequested_) {
        turnPageRequested_ = true;
        ::PostMessageW(hwnd(), kMsgDecodeTurnPage, 0, 0);
    }
    AppState& state = State();
    if (menuShown_ && state.menuSelection == 7) {
        ShowTiles(true);
        if (!clockRunning_) {
            ::SetTimer(hwnd(), kClockTimer, 1000, nullptr);
            clockRunning_ = true;
        }
    }
    if (TurnMenuImage() && pageTurnPending_) {
        // The page-turn animation arrives with the program pages; until then the menu is simply
        // drawn again.
        pageTurnPending_ = false;
    }
    if (!background_ || !memoryDc_) return;
    auto s = win32::PrimaryScreen();
    RenderBackground(paint.get());
    frame_.reset(::CreateCompatibleBitmap(paint.get(), s.cx, s.cy));
    win32::SelectedObject frame(memoryDc_.get(), frame_.get());
    {
        win32::MemoryDc bg(::CreateCompatibleDC(paint.get()));
        win32::SelectedObject keep(bg.get(), backgroundCache_.get());
        ::BitBlt(memoryDc_.get(), 0, 0, s.cx, s.cy, bg.get(), 0, 0, SRCCOPY);
    }
    // The clock goes into the same frame, so the screen gets one block copy.
    HDC dc = memoryDc_.get();
    win32::SelectedObject font(dc, ClockFont().get());
    ::SetTextColor(dc, RGB(255, 255, 0));
    ::SetBkMode(dc, TRANSPARENT);
    int boxWidth = clockRect_.right - clockRect_.left;
    int boxHeight = clockRect_.bottom - clockRect_.top;
    auto rebuild = [&](LONG LOGFONTW::*field, int value) {
        LOGFONTW lf = ClockFontDescription();
        lf.*field = value;
        ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
        ClockFont().reset(::CreateFontIndirectW(&lf));
        ::SelectObject(dc, ClockFont().get());
    };
    ShrinkToFit(
        boxWidth, boxHeight, 4, 2, ClockFontWidth(), ClockFontHeight(),
        [&] {
            SIZE size{};
            ::GetTextExtentPoint32W(dc, clockText_.c_str(), static_cast<int>(clockText_.size()), &size);
            return size;
        },
        [&](int w) { rebuild(&LOGFONTW::lfWidth, w); },
        [&](int h) { rebuild(&LOGFONTW::lfHeight, h); });
    RECT r = clockRect_;
    ::DrawTextW(dc, clockText_.c_str(), static_cast<int>(clockText_.size()), &r,
                DT_RIGHT | DT_NOCLIP | DT_SINGLELINE);
    ::BitBlt(paint.get(), 0, 0, s.cx, s.cy, dc, 0, 0, SRCCOPY);
}

std::optional<LRESULT> CP01Dlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    AppState& state = State();
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint step owns every pixel
        case WM_TIMER:
            if (wp == kClockTimer) ClockStep();
            return 0;
        case WM_SETFOCUS:
            if (state.selectDialogActive && state.selectDialogWindow) {
                ::SetFocus(state.selectDialogWindow);
                return 0;
            }
            return std::nullopt;  // the dialog gives the focus back to its last control
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(icon_.get());
        case WM_COMMAND:
            if (LOWORD(wp) == kStartPromptId && HIWORD(wp) == BN_CLICKED) {
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
            ::CloseHandle(reinterpret_cast<HANDLE>(wp));
            return 1;
        case kMsgMenuTileHovered:
            for (auto& tile : menuTiles_) {
                tile->pressed = false;
                ::InvalidateRect(tile->hwnd(), nullptr, TRUE);
            }
            if (wp >= 1 && wp <= kMenuTileCount) state.menuSelection = static_cast<int>(wp);
            return 0;
        case kMsgProgramPick:
            ProgramPick(wp, lp);
            return 0;
        case kMsgClickSound:
            PlayClickSound();
            return 0;
        case kMsgDecodeTurnPage:
            if (!TurnPageImage()) LoadSkinImageResource(win32::AppInstance(), 215, L"JPEG", TurnPageImage());
            return 0;
        case kMsgTogglePanel:
            TogglePanel();
            return 0;
        default:
            return std::nullopt;
    }
}

void CP01Dlg::OnClose() {
    AppState& state = State();
    state.closing = true;
    ::KillTimer(hwnd(), kClockTimer);
    clockRunning_ = false;
    RemoveAccessService(deviceHandles_);
    if (karaokePanel && karaokePanel->hwnd()) ::SendMessageW(karaokePanel->hwnd(), WM_CLOSE, 0, 0);
    // Put back the display mode stored in the registry, in case a launched program changed it.
    ::ChangeDisplaySettingsW(nullptr, 0);
    EndDialog(IDCANCEL);
}

}  // namespace tessaly
