// The real main window in-process: created from its template, driven by the messages and keys the
// tiles, the hook and the remote send it.
#include "launcher/shell/main_dialog.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <set>

#include "launcher/shell/app.h"
#include "launcher/shell/app_state.h"
#include "launcher/shell/keyboard_hook.h"

namespace tessaly {
namespace {

void Pump() {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (!win32::Window::WalkPreTranslate(m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
}

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
        State() = AppState{};
        ASSERT_TRUE(dlg.Create(nullptr));
        dlg.karaokePanel = &panel;
        ASSERT_TRUE(panel.Create(nullptr));
        Pump();
    }
    void TearDown() override {
        State().closing = true;
        dlg.Destroy();
        panel.Destroy();
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
    LRESULT Hook(UINT message, DWORD vk, const FakeModifiers& mods) {
        KBDLLHOOKSTRUCT event{};
        event.vkCode = vk;
        LRESULT r = HandleHookEvent(HC_ACTION, message, event, mods);
        Pump();
        return r;
    }

    // A stand-in karaoke panel that records the keys the hook hands it.
    class Panel : public win32::Dialog {
    public:
        explicit Panel(std::vector<WPARAM>& keys) : Dialog(700), keys_(keys) {}

    protected:
        std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM) override {
            if (msg != kMsgPanelKey) return std::nullopt;
            keys_.push_back(wp);
            return 0;
        }

    private:
        std::vector<WPARAM>& keys_;
    };

    CP01Dlg dlg;
    std::vector<WPARAM> panelKeys;
    Panel panel{panelKeys};
};

TEST_F(MainWindow, StartsFullScreenWithThePromptAndEightHiddenTiles) {
    AppState& s = State();
    EXPECT_EQ(s.mainWindowHandle, dlg.hwnd());
    EXPECT_EQ(s.menuSelection, 1);
    EXPECT_FALSE(s.menuShown);
    auto buttons = VisibleChildren(dlg.hwnd(), L"Button");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(::GetDlgCtrlID(buttons[0]), 1112);
    EXPECT_TRUE(VisibleChildren(dlg.hwnd(), L"Static").empty());
    EXPECT_NE(s.clickSoundPath.find(L"\\ding.wav"), std::wstring::npos);

    RECT r{};
    ::GetWindowRect(dlg.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(MainWindow, EnterShowsTheMenuAndArrowsWrapAroundIt) {
    Key(VK_RETURN);
    AppState& s = State();
    EXPECT_TRUE(s.menuShown);
    auto tiles = VisibleChildren(dlg.hwnd(), L"Static");
    ASSERT_EQ(tiles.size(), 8u);
    EXPECT_TRUE(VisibleChildren(dlg.hwnd(), L"Button").empty());
    std::set<std::wstring> labels;
    for (HWND t : tiles) labels.insert(TextOf(t));
    EXPECT_EQ(labels, (std::set<std::wstring>{L"Play Video", L"Play Music", L"Browse Pictures",
                                              L"Karaoke", L"Game Menu", L"Other Program",
                                              L"Add Program", L"Exit"}));

    Key(VK_UP);
    EXPECT_EQ(s.menuSelection, 8);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(s.menuSelection, 2);
    Key(VK_ESCAPE);
    EXPECT_TRUE(::IsWindowVisible(dlg.hwnd()));

    // While a program page runs, the arrows leave the menu alone.
    s.runningCommand = 5;
    Key(VK_DOWN);
    EXPECT_EQ(s.menuSelection, 2);
    s.runningCommand = 0;
}

TEST_F(MainWindow, KaraokePanelTogglesOnlyOnceTheMenuIsShown) {
    FakeModifiers alt;
    alt.held = {VK_LMENU};
    Hook(WM_SYSKEYDOWN, 'K', alt);
    EXPECT_FALSE(::IsWindowVisible(panel.hwnd()));
    EXPECT_FALSE(State().karaokePanelShown);

    Key(VK_RETURN);
    Hook(WM_SYSKEYDOWN, 'K', alt);
    EXPECT_TRUE(::IsWindowVisible(panel.hwnd()));
    EXPECT_TRUE(State().karaokePanelShown);
    EXPECT_EQ(State().karaokePanelWindow, panel.hwnd());

    // With the panel up, the arrows belong to it: swallowed, and handed to the panel.
    FakeModifiers none;
    EXPECT_EQ(Hook(WM_KEYDOWN, VK_DOWN, none), 1);
    EXPECT_EQ(panelKeys, (std::vector<WPARAM>{VK_DOWN}));
    EXPECT_EQ(State().menuSelection, 1);

    FakeModifiers chord;
    chord.held = {VK_LCONTROL, VK_LSHIFT, VK_LMENU};
    Hook(WM_KEYDOWN, VK_OEM_5, chord);
    EXPECT_FALSE(::IsWindowVisible(panel.hwnd()));
    EXPECT_FALSE(State().karaokePanelShown);
}

TEST_F(MainWindow, ReturnFromAPageIsIgnoredWhileClosing) {
    Key(VK_RETURN);
    State().runningCommand = 5;
    State().closing = true;
    ::SendMessageW(dlg.hwnd(), kMsgReturnFromPage, 5, 0);
    EXPECT_EQ(State().runningCommand, 5);
    State().closing = false;
    ::SendMessageW(dlg.hwnd(), kMsgReturnFromPage, 5, 0);
    EXPECT_EQ(State().runningCommand, 0);
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
    for (const std::wstring& path : {State().clickSoundPath, std::wstring(L"C:\\no\\such\\ding.wav")}) {
        State().clickSoundPath = path;
        DWORD before = 0, after = 0;
        ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &before));
        for (int i = 0; i < 3; ++i) {
            ::SendMessageW(dlg.hwnd(), WM_USER + 25, 0, 0);
            ::Sleep(260);  // past the 250 ms limit: every request starts a worker
        }
        settle();
        ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &after));
        EXPECT_EQ(after, before) << "sound file " << std::string(path.begin(), path.end());
    }
}

// The open-file dialog of a removable-disk choice: found on screen, starting in the trimmed drive
// root, and cancelled from a timer while the handler waits in it.
HWND g_openDialog = nullptr;
wchar_t g_openFolder[MAX_PATH] = {};
void CALLBACK CancelOpenDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND found = ::FindWindowW(L"#32770", nullptr);
    if (!found) return;
    g_openDialog = found;
    ::SendMessageW(found, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(g_openFolder));
    ::KillTimer(nullptr, id);
    ::PostMessageW(found, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(MainWindow, RemovableDiskChoiceOpensTheFileDialogInThatDrive) {
    State().removableDrives = L" E:\\ ";
    UINT_PTR timer = ::SetTimer(nullptr, 0, 200, CancelOpenDialog);
    ::SendMessageW(dlg.hwnd(), kMsgProgramPick, 99, 1);
    ::KillTimer(nullptr, timer);
    EXPECT_NE(g_openDialog, nullptr);
    EXPECT_EQ(State().removableDrives, L"E:\\");  // the global itself is trimmed
    EXPECT_EQ(std::wstring(g_openFolder).substr(0, 2), L"E:");
}

TEST(InstanceMapping, OneCopyPerNameUntilTheFirstHandleCloses) {
    HANDLE first = CreateInstanceMapping(L"TessalyInstanceTest");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CreateInstanceMapping(L"TessalyInstanceTest"), nullptr);
    HANDLE other = CreateInstanceMapping(L"TessalyInstanceTestRenamed");
    EXPECT_NE(other, nullptr);  // another executable name is another marker
    ::CloseHandle(other);
    ::CloseHandle(first);
    HANDLE again = CreateInstanceMapping(L"TessalyInstanceTest");
    EXPECT_NE(again, nullptr);
    ::CloseHandle(again);
    EXPECT_EQ(ApplicationName(), L"shell_window_test");
}

}  // namespace
}  // namespace tessaly
