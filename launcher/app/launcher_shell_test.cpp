// The real shell and its menu window in-process: created from its template, driven by the
// messages and keys the tiles, the hook and the remote send it.
#include "launcher/app/launcher_shell.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <set>

#include "launcher/ui/messages.h"
#include "launcher/resources/resource.h"
#include "launcher/ui/hook_events.h"
#include "win32/instance.h"

namespace tessaly {
namespace {

void Pump() { win32::DispatchQueuedMessages(); }

std::vector<HWND> VisibleChildren(HWND parent, const wchar_t* cls) {
    std::vector<HWND> out;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        ::GetClassNameW(c, name, 32);
        if (::lstrcmpiW(name, cls) == 0 && ::IsWindowVisible(c)) out.push_back(c);
    }
    return out;
}

std::wstring TextOf(HWND h) {
    wchar_t buf[64] = {};
    ::GetWindowTextW(h, buf, 64);
    return buf;
}

class FakeModifiers : public ModifierPort {
public:
    std::set<int> held;
    bool IsHeld(int vk) const override { return held.count(vk) != 0; }
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create(nullptr));
        Pump();  // the first frame's follow-up makes the panel
        ASSERT_NE(panelPtr, nullptr);
    }
    void TearDown() override {
        dlg.Destroy();
        Pump();
    }
    void Key(WPARAM vk) {
        MSG msg{dlg.hwnd(), WM_KEYDOWN, vk, 0, 0, {}};
        if (!win32::Window::WalkPreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        Pump();
    }
    bool Hook(UINT message, DWORD vk, const FakeModifiers& mods) {
        KBDLLHOOKSTRUCT event{};
        event.vkCode = vk;
        bool r = HandleHookEvent(message, event, mods, shell);
        Pump();
        return r;
    }

    // A stand-in karaoke panel that records the keys the hook hands it.
    class Panel : public win32::Dialog, public OverlayPanel {
    public:
        explicit Panel(std::vector<WPARAM>& keys) : Dialog(700), keys_(keys) {}
        bool Create() override { return Dialog::Create(nullptr); }
        HWND window() const override { return hwnd(); }
        void Show(bool show) override { ::ShowWindow(hwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE); }
        bool IsShown() const override { return ::IsWindowVisible(hwnd()); }

    protected:
        std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM) override {
            if (msg != kMsgPanelKey) return std::nullopt;
            keys_.push_back(wp);
            return 0;
        }

    private:
        std::vector<WPARAM>& keys_;
    };

    std::vector<WPARAM> panelKeys;
    Panel* panelPtr = nullptr;  // owned by the shell
    LauncherShell shell{[this] {
        auto made = std::make_unique<Panel>(panelKeys);
        panelPtr = made.get();
        return made;
    }};
    MenuWindow& dlg = shell.menu();
};

TEST_F(MainWindow, StartsFullScreenWithThePromptAndEightHiddenTiles) {
    EXPECT_EQ(dlg.menuSelection(), 1);
    EXPECT_FALSE(dlg.menuShown());
    auto buttons = VisibleChildren(dlg.hwnd(), L"Button");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(::GetDlgCtrlID(buttons[0]), IDC_START_PROMPT);
    EXPECT_TRUE(VisibleChildren(dlg.hwnd(), L"Static").empty());
    EXPECT_NE(shell.clickSoundPath().find(L"\\ding.wav"), std::wstring::npos);

    // Start-up finishes once: the same message again (from anyone) scans no drives.
    shell.drives().removableDrives = L"C:\\Games\\";
    ::PostMessageW(dlg.hwnd(), kMsgDecodeTurnPage, 0, 0);
    Pump();
    EXPECT_EQ(shell.drives().removableDrives, L"C:\\Games\\");

    RECT r{};
    ::GetWindowRect(dlg.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(MainWindow, EnterShowsTheMenuAndArrowsWrapAroundIt) {
    Key(VK_RETURN);
    EXPECT_TRUE(dlg.menuShown());
    auto tiles = VisibleChildren(dlg.hwnd(), L"Static");
    ASSERT_EQ(tiles.size(), 8u);
    EXPECT_TRUE(VisibleChildren(dlg.hwnd(), L"Button").empty());
    std::set<std::wstring> labels;
    for (HWND t : tiles) labels.insert(TextOf(t));
    EXPECT_EQ(labels, (std::set<std::wstring>{L"Play Video", L"Play Music", L"Browse Pictures",
                                              L"Karaoke", L"Game Menu", L"Other Program",
                                              L"Add Program", L"Exit"}));

    Key(VK_UP);
    EXPECT_EQ(dlg.menuSelection(), 8);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(dlg.menuSelection(), 2);
    Key(VK_ESCAPE);
    EXPECT_TRUE(::IsWindowVisible(dlg.hwnd()));

    // The pointer entering a tile makes it the highlighted one through the window's 1046 step.
    HWND karaoke = nullptr;
    for (HWND t : tiles)
        if (TextOf(t) == L"Karaoke") karaoke = t;
    ASSERT_NE(karaoke, nullptr);
    ::SendMessageW(karaoke, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(dlg.menuSelection(), 4);
    EXPECT_EQ(::GetCapture(), karaoke);
    ::ReleaseCapture();
    Key(VK_DOWN);
    EXPECT_EQ(dlg.menuSelection(), 5);
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);

    // While a program page runs, the arrows leave the menu alone.
    ::SendMessageW(dlg.hwnd(), kMsgRunMenuCommand, 5, 0);
    ASSERT_EQ(dlg.runningCommand(), 5);
    Key(VK_DOWN);
    EXPECT_EQ(dlg.menuSelection(), 5);
    ::SendMessageW(dlg.hwnd(), kMsgReturnFromPage, 5, 0);
    EXPECT_EQ(dlg.runningCommand(), 0);
}

TEST_F(MainWindow, KaraokePanelTogglesOnlyOnceTheMenuIsShown) {
    FakeModifiers alt;
    alt.held = {VK_LMENU};
    Hook(WM_SYSKEYDOWN, 'K', alt);
    EXPECT_FALSE(::IsWindowVisible(panelPtr->hwnd()));
    EXPECT_FALSE(shell.PanelShown());

    Key(VK_RETURN);
    Hook(WM_SYSKEYDOWN, 'K', alt);
    EXPECT_TRUE(::IsWindowVisible(panelPtr->hwnd()));
    EXPECT_TRUE(shell.PanelShown());
    EXPECT_EQ(shell.PanelWindow(), panelPtr->hwnd());

    // With the panel up, the arrows belong to it: swallowed, and handed to the panel.
    FakeModifiers none;
    EXPECT_TRUE(Hook(WM_KEYDOWN, VK_DOWN, none));
    EXPECT_EQ(panelKeys, (std::vector<WPARAM>{VK_DOWN}));
    EXPECT_EQ(dlg.menuSelection(), 1);
    // Queued inside the hook, handled by the panel on its next message.
    KBDLLHOOKSTRUCT up{};
    up.vkCode = VK_UP;
    EXPECT_TRUE(HandleHookEvent(WM_KEYDOWN, up, none, shell));
    EXPECT_EQ(panelKeys.size(), 1u);
    Pump();
    EXPECT_EQ(panelKeys, (std::vector<WPARAM>{VK_DOWN, VK_UP}));

    FakeModifiers chord;
    chord.held = {VK_LCONTROL, VK_LSHIFT, VK_LMENU};
    Hook(WM_KEYDOWN, VK_OEM_5, chord);
    EXPECT_FALSE(::IsWindowVisible(panelPtr->hwnd()));
    EXPECT_FALSE(shell.PanelShown());
}

// The game page's own close reports back; closing the launcher closes the page too, and that
// late report changes nothing.
TEST_F(MainWindow, ReturnFromAPageIsIgnoredWhileClosing) {
    Key(VK_RETURN);
    ::SendMessageW(dlg.hwnd(), kMsgRunMenuCommand, 5, 0);
    EXPECT_EQ(dlg.runningCommand(), 5);
    ::SendMessageW(dlg.hwnd(), kMsgReturnFromPage, 5, 0);
    EXPECT_EQ(dlg.runningCommand(), 0);
    ::SendMessageW(dlg.hwnd(), kMsgRunMenuCommand, 5, 0);
    ASSERT_EQ(dlg.runningCommand(), 5);
    ::SendMessageW(dlg.hwnd(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(dlg.runningCommand(), 5);
}

// Click workers give their thread handles back, or close them themselves when the sound cannot
// be opened: no handle is left behind either way.
TEST_F(MainWindow, ClickWorkersLeaveNoHandleBehind) {
    auto settle = [] {
        for (int i = 0; i < 20; ++i) {
            Pump();
            ::Sleep(50);
        }
    };
    settle();
    for (const std::wstring& path : {shell.clickSoundPath(), std::wstring(L"C:\\no\\such\\ding.wav")}) {
        shell.SetClickSoundPath(path);
        DWORD before = 0, after = 0;
        ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &before));
        for (int i = 0; i < 3; ++i) {
            ::SendMessageW(dlg.hwnd(), kMsgClickSound, 0, 0);
            ::Sleep(260);  // past the 250 ms limit: every request starts a worker
        }
        settle();
        ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &after));
        EXPECT_EQ(after, before) << "sound file " << std::string(path.begin(), path.end());
    }
}

// 1040 closes only the handle of a worker this window started: another handle value posted by
// anyone stays open, and a worker's handle is closed once.
TEST_F(MainWindow, CloseWorkerMessageIgnoresHandlesItDidNotHandOut) {
    win32::Handle foreign(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    ASSERT_TRUE(foreign);
    EXPECT_EQ(::SendMessageW(dlg.hwnd(), kMsgCloseWorker, reinterpret_cast<WPARAM>(foreign.get()), 0), 0);
    EXPECT_EQ(::SendMessageW(dlg.hwnd(), kMsgCloseWorker, 0, 0), 0);
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(foreign.get(), &flags));
    EXPECT_EQ(::SetEvent(foreign.get()), TRUE);
}

// A window-creation hook that refuses the start prompt, as a system out of window resources would.
LRESULT CALLBACK RefuseStartPrompt(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
        if ((cs->style & WS_CHILD) && reinterpret_cast<UINT_PTR>(cs->hMenu) == IDC_START_PROMPT) return 1;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

// No prompt means no countdown: the launcher does not sit there for ever, it shows the menu.
TEST(MainWindowWithoutPrompt, ShowsTheMenuAsIfThePromptWereAnswered) {
    LauncherShell shell;
    MenuWindow& dlg = shell.menu();
    {
        win32::HookHandle refuse(::SetWindowsHookExW(WH_CBT, RefuseStartPrompt, nullptr, ::GetCurrentThreadId()));
        ASSERT_TRUE(refuse);
        ASSERT_TRUE(dlg.Create(nullptr));
    }
    Pump();
    EXPECT_TRUE(dlg.menuShown());
    EXPECT_EQ(::GetDlgItem(dlg.hwnd(), IDC_START_PROMPT), nullptr);
    EXPECT_EQ(VisibleChildren(dlg.hwnd(), L"Static").size(), 8u);
    dlg.MoveSelection(MoveStep::Next);
    EXPECT_EQ(dlg.menuSelection(), 2);
    dlg.Destroy();
    Pump();
}

// The open-file dialog of a removable-disk choice: found on screen, starting in the trimmed drive
// root, and cancelled from a timer while the handler waits in it.
HWND g_openDialog = nullptr;
wchar_t g_openFolder[MAX_PATH] = {};
void CALLBACK CancelOpenDialog(HWND, UINT, UINT_PTR id, DWORD) {
    // The first visible dialog: the hidden karaoke panel is a dialog window too.
    HWND found = nullptr;
    do {
        found = ::FindWindowExW(nullptr, found, L"#32770", nullptr);
    } while (found && !::IsWindowVisible(found));
    if (!found) return;
    g_openDialog = found;
    ::SendMessageW(found, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(g_openFolder));
    ::KillTimer(nullptr, id);
    ::PostMessageW(found, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(MainWindow, RemovableDiskChoiceOpensTheFileDialogInThatDrive) {
    shell.drives().removableDrives = L" E:\\ ";
    UINT_PTR timer = ::SetTimer(nullptr, 0, 200, CancelOpenDialog);
    ::SendMessageW(dlg.hwnd(), kMsgProgramPick, 99, 1);
    ::KillTimer(nullptr, timer);
    EXPECT_NE(g_openDialog, nullptr);
    EXPECT_EQ(shell.drives().removableDrives, L"E:\\");  // the list itself is trimmed
    EXPECT_EQ(std::wstring(g_openFolder).substr(0, 2), L"E:");
}

// The launcher's marker is the shared single-instance marker, named after this executable.
TEST(InstanceMarker, NamedAfterTheExecutableAndHeldOncePerName) {
    EXPECT_EQ(win32::ApplicationName(), L"launcher_shell_test");
    win32::SingleInstance first(L"TessalyInstanceTest");
    EXPECT_TRUE(first.first());
    win32::SingleInstance second(L"TessalyInstanceTest");
    EXPECT_FALSE(second.first());
}

}  // namespace
}  // namespace tessaly
