// The program page and the select dialog as real windows from their templates, driven by the
// keys the remote sends, against the test prefix's registry.
#include "launcher/ui/program_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "launcher/testing/recording_player.h"
#include "launcher/testing/recording_shell.h"
#include "launcher/ui/messages.h"
#include "launcher/system/group_store.h"
#include "launcher/ui/tiles.h"
#include "win32/handles.h"
#include "win32/scale.h"

namespace tessaly {
namespace {

void Pump() { win32::DispatchQueuedMessages(); }

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PageTestMain";
        ::RegisterClassW(&wc);
        const win32::ScreenSize s = win32::PrimaryScreen();
        main_ = ::CreateWindowExW(0, L"PageTestMain", L"", WS_POPUP | WS_VISIBLE, 0, 0, s.cx, s.cy,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        // Like the main window: the page's window goes when it reports back.
        shell_.onReturn = [this](int) {
            HWND child = ::GetWindow(main_, GW_CHILD);
            if (child) ::DestroyWindow(child);
        };
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tessaly\\group5");
        ports_.startProcess = [this](const ProcessRequest& r) {
            started_.push_back(r);
            return true;
        };
    }
    void TearDown() override { ::DestroyWindow(main_); }

    // The key reaches the window chain as the modal loop would hand it over.
    void Key(HWND target, WPARAM vk) {
        MSG m{target, WM_KEYDOWN, vk, 0, 0, {}};
        if (!win32::Window::WalkPreTranslate(m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        Pump();
    }

    std::vector<std::wstring> StoredNames() {
        std::vector<std::wstring> names;
        win32::RegKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tessaly\\group5", 0, KEY_READ, key.put()) != ERROR_SUCCESS)
            return names;
        wchar_t name[400];
        for (DWORD i = 0;; ++i) {
            DWORD n = 400;
            if (::RegEnumValueW(key.get(), i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            if (n > 0) names.emplace_back(name, n);  // the unnamed value is no entry
        }
        return names;
    }

    HWND main_ = nullptr;
    RecordingShell shell_;
    LaunchPorts ports_;
    std::vector<ProcessRequest> started_;
};

TEST_F(PageTest, TilesKeysLaunchDeleteAndClose) {
    const std::wstring gamepad = L"\U0001F3AE Pad";  // a name outside the BMP
    LaunchActions launch(ports_, {});
    {
        ProgramPage writer(GamePageKind(), shell_, launch);
        ASSERT_TRUE(writer.WriteEntry(L"Alpha", L"C:\\old.exe"));
        ASSERT_TRUE(writer.WriteEntry(L"Alpha", L"C:\\a b\\alpha.exe"));  // same name: replaced
        ASSERT_TRUE(writer.WriteEntry(L"B&q", L"C:\\bq.exe"));
        ASSERT_TRUE(writer.WriteEntry(gamepad, L"C:\\pad.exe"));
    }
    // Garbage beside them: a binary value and the unnamed value show nothing.
    win32::RegKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tessaly\\group5", 0, KEY_ALL_ACCESS, key.put()),
              ERROR_SUCCESS);
    const BYTE junk[5] = {1, 2, 3, 4, 5};
    ::RegSetValueExW(key.get(), L"junk", 0, REG_BINARY, junk, sizeof(junk));
    ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    key.reset();

    ProgramPage page(GamePageKind(), shell_, launch);
    std::vector<bool> answers{false, true};
    int asked = 0;
    page.confirmDelete = [&](HWND) { return answers[static_cast<std::size_t>(asked++)]; };
    ASSERT_TRUE(page.Open(main_));
    ASSERT_EQ(page.tileCount(), 4);  // Alpha, B&q, the pad, Return
    EXPECT_EQ(page.tile(4)->label, L"Return");
    std::vector<std::wstring> labels;
    for (int s = 1; s <= 3; ++s) labels.push_back(page.tile(s)->label);
    EXPECT_NE(std::find(labels.begin(), labels.end(), L"B&q"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), gamepad), labels.end());

    const win32::ScreenSize s = win32::PrimaryScreen();
    RECT first{};
    ::GetWindowRect(page.tile(1)->hwnd(), &first);
    EXPECT_EQ(first.left, win32::ScaleX(s.cx, 100));
    EXPECT_EQ(first.top, win32::ScaleY(s.cy, 200));
    EXPECT_EQ(page.current(), 1);

    // Up wraps to Return, Down wraps back; Right does nothing.
    Key(page.hwnd(), VK_UP);
    EXPECT_EQ(page.current(), 4);
    Key(page.hwnd(), VK_DOWN);
    EXPECT_EQ(page.current(), 1);
    Key(page.hwnd(), VK_RIGHT);
    EXPECT_EQ(page.current(), 1);
    // While the karaoke panel is shown the page ignores the arrows.
    shell_.panelShown = true;
    Key(page.hwnd(), VK_DOWN);
    EXPECT_EQ(page.current(), 1);
    shell_.panelShown = false;

    // Enter on Alpha starts its target as stored.
    int alpha = 1;
    while (page.tile(alpha)->label != L"Alpha") ++alpha;
    while (page.current() != alpha) Key(page.hwnd(), VK_DOWN);
    Key(page.hwnd(), VK_RETURN);
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].application, L"C:\\a b\\alpha.exe");
    ASSERT_TRUE(page.hwnd());  // the page stays

    // Delete on Return asks nothing; No keeps the entry; Yes removes value and tile.
    while (page.current() != 4) Key(page.hwnd(), VK_DOWN);
    Key(page.hwnd(), VK_DELETE);
    EXPECT_EQ(asked, 0);
    while (page.current() != alpha) Key(page.hwnd(), VK_DOWN);
    Key(page.hwnd(), VK_DELETE);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(StoredNames().size(), 4u);  // Alpha, B&q, pad, junk
    RECT deletedPlace{};
    ::GetWindowRect(page.tile(alpha)->hwnd(), &deletedPlace);
    Key(page.hwnd(), VK_DELETE);
    EXPECT_EQ(asked, 2);
    std::vector<std::wstring> stored = StoredNames();
    EXPECT_EQ(std::find(stored.begin(), stored.end(), L"Alpha"), stored.end());
    EXPECT_EQ(stored.size(), 3u);
    EXPECT_FALSE(page.tile(alpha)->available);
    EXPECT_FALSE(::IsWindowVisible(page.tile(alpha)->hwnd()));
    // The next tile took the deleted one's place and the highlight.
    EXPECT_EQ(page.current(), alpha + 1);
    RECT moved{};
    ::GetWindowRect(page.tile(alpha + 1)->hwnd(), &moved);
    EXPECT_EQ(moved.top, deletedPlace.top);
    // Up and Down skip the deleted tile.
    for (int i = 0; i < 8; ++i) {
        Key(page.hwnd(), i < 4 ? VK_UP : VK_DOWN);
        EXPECT_NE(page.current(), alpha);
    }

    // Left closes: the main window hears 1037 with the group, and the page is gone.
    Key(page.hwnd(), VK_LEFT);
    ASSERT_EQ(shell_.calls.size(), 1u);
    EXPECT_EQ(shell_.calls[0].what, RecordingShell::Asked::kReturnFromPage);
    EXPECT_EQ(shell_.calls[0].number, 5);
    EXPECT_FALSE(page.hwnd());

    // The next visit reads the registry again; Enter on Return closes it too.
    ASSERT_TRUE(page.Open(main_));
    EXPECT_EQ(page.tileCount(), 3);
    while (page.current() != 3) Key(page.hwnd(), VK_DOWN);
    Key(page.hwnd(), VK_RETURN);
    EXPECT_EQ(shell_.calls.size(), 2u);
    EXPECT_FALSE(page.hwnd());
}

TEST_F(PageTest, FreshProfileShowsReturnAloneAndLeavesAnEmptyKey) {
    LaunchActions launch(ports_, {});
    ProgramPage page(GamePageKind(), shell_, launch);
    ASSERT_TRUE(page.Open(main_));
    EXPECT_EQ(page.tileCount(), 1);
    EXPECT_EQ(page.tile(1)->label, L"Return");
    win32::RegKey key;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tessaly\\group5", 0, KEY_READ, key.put()),
              ERROR_SUCCESS);
    EXPECT_TRUE(StoredNames().empty());
    Key(page.hwnd(), VK_RETURN);
    EXPECT_FALSE(page.hwnd());
}

TEST_F(PageTest, ThousandsOfValuesFillTheFiftySlotsAndNoMore) {
    {
        LaunchActions launch(ports_, {});
        ProgramPage writer(GamePageKind(), shell_, launch);
        for (int i = 0; i < 2000; ++i) writer.WriteEntry(L"p" + std::to_wstring(i), L"C:\\p.exe");
    }
    LaunchActions launch(ports_, {});
    ProgramPage page(GamePageKind(), shell_, launch);
    ASSERT_TRUE(page.Open(main_));
    EXPECT_EQ(page.tileCount(), kPageUsableSlots);
    EXPECT_EQ(page.tile(kPageUsableSlots)->label, L"Return");
    Key(page.hwnd(), VK_UP);
    EXPECT_EQ(page.current(), kPageUsableSlots);
    ::SendMessageW(page.hwnd(), WM_CLOSE, 0, 0);
}

TEST_F(PageTest, SelectDialogDefaultsWrapAndHandOver) {
    SelectDialog dialog(shell_);
    ASSERT_TRUE(dialog.Create(main_));
    ::ShowWindow(dialog.hwnd(), SW_SHOW);
    EXPECT_TRUE(shell_.focus.active());
    EXPECT_EQ(shell_.focus.window(), dialog.hwnd());
    ASSERT_EQ(dialog.choiceCount(), 2);
    EXPECT_EQ(dialog.choice(0)->label, L"Game Menu");
    EXPECT_EQ(dialog.choice(1)->label, L"Other Program");
    Key(dialog.hwnd(), VK_UP);
    EXPECT_EQ(dialog.current(), 1);
    Key(dialog.hwnd(), VK_DOWN);
    EXPECT_EQ(dialog.current(), 0);
    Key(dialog.hwnd(), VK_DOWN);
    Key(dialog.hwnd(), VK_RETURN);
    ASSERT_EQ(shell_.calls.size(), 1u);
    EXPECT_EQ(shell_.calls[0].what, RecordingShell::Asked::kAddPickedProgram);
    EXPECT_EQ(shell_.calls[0].number, 2);
    EXPECT_FALSE(shell_.focus.active());
    EXPECT_FALSE(dialog.hwnd());

    // The removable-disk choices: Esc keeps nothing, Enter hands the root over.
    for (const LaunchEntry& c : RemovableDiskChoices(L"E:\\ F:\\ ")) dialog.choices().Set(c.name, c.target);
    ASSERT_TRUE(dialog.Create(main_));
    EXPECT_EQ(dialog.choiceCount(), 2);
    EXPECT_EQ(dialog.current(), 1);  // kept from the last opening
    Key(dialog.hwnd(), VK_ESCAPE);
    EXPECT_FALSE(shell_.focus.active());
    EXPECT_FALSE(dialog.hwnd());
    EXPECT_EQ(shell_.calls.size(), 1u);
    ASSERT_TRUE(dialog.Create(main_));
    Key(dialog.hwnd(), VK_RETURN);
    ASSERT_EQ(shell_.calls.size(), 2u);
    EXPECT_EQ(shell_.calls[1].what, RecordingShell::Asked::kOpenFileFrom);
    EXPECT_EQ(shell_.calls[1].folder, dialog.choice(1)->target);
    EXPECT_EQ(shell_.driveLists.removableDrives, dialog.choice(1)->target);
    EXPECT_EQ(dialog.choice(1)->label, L"Play From " + dialog.choice(1)->target + L" Disk");
    EXPECT_FALSE(dialog.hwnd());
}

TEST_F(PageTest, SelectDialogSaysWhenAPathIsTooLongToKeepAndHandsNothingOver) {
    shell_.pickedPath = L"C:\\" + std::wstring(GroupStore::kMaxTargetUnits - 6, L'x') + L".exe";
    ASSERT_EQ(shell_.pickedPath.size(), GroupStore::kMaxTargetUnits + 1);
    SelectDialog dialog(shell_);
    ASSERT_TRUE(dialog.Create(main_));
    ::ShowWindow(dialog.hwnd(), SW_SHOW);
    RECT r{};
    ::GetWindowRect(dialog.hwnd(), &r);
    const int below = ChoiceRect(2, win32::PrimaryScreen().cy).top;
    auto whiteBelowChoices = [&] {
        ::UpdateWindow(dialog.hwnd());
        win32::WindowDc screen(nullptr);
        int white = 0;
        for (int y = r.top + below; y < r.bottom - 20; y += 2) {
            for (int x = r.left + 20; x < r.right - 20; x += 2) {
                if (::GetPixel(screen.get(), x, y) == RGB(255, 255, 255)) ++white;
            }
        }
        return white;
    };
    const int before = whiteBelowChoices();
    Key(dialog.hwnd(), VK_RETURN);
    // The dialog stays, with its line; nothing goes to the main window, nothing is stored.
    EXPECT_TRUE(shell_.calls.empty());
    ASSERT_TRUE(dialog.hwnd());
    EXPECT_EQ(dialog.notice(), SelectDialog::kPathTooLongNotice);
    EXPECT_GT(whiteBelowChoices(), before + 50);
    EXPECT_TRUE(StoredNames().empty());
    Key(dialog.hwnd(), VK_ESCAPE);
    EXPECT_FALSE(dialog.hwnd());
    EXPECT_TRUE(shell_.calls.empty());

    // One character shorter fits: handed over as usual, and the next opening shows no line.
    shell_.pickedPath.pop_back();
    ASSERT_TRUE(dialog.Create(main_));
    EXPECT_TRUE(dialog.notice().empty());
    Key(dialog.hwnd(), VK_RETURN);
    ASSERT_EQ(shell_.calls.size(), 1u);
    EXPECT_EQ(shell_.calls[0].what, RecordingShell::Asked::kAddPickedProgram);
}

// Runs from inside a modal loop: each tick hands the next scripted key to the window in front.
struct ModalScript {
    std::function<HWND()> window;
    std::vector<WPARAM> keys;
    std::size_t next = 0;
    std::function<void()> look;  // called once, before the first key
};
ModalScript*& Script() {
    static ModalScript* script = nullptr;
    return script;
}
void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* s = Script();
    if (!s) return;
    HWND w = s->window();
    if (!w) return;
    if (s->next == 0 && s->look) s->look();
    if (s->next < s->keys.size()) ::PostMessageW(w, WM_KEYDOWN, s->keys[s->next++], 0);
}
void RunScripted(ModalScript& script, const std::function<void()>& run) {
    Script() = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, ScriptTick);
    run();
    ::KillTimer(nullptr, timer);
    Script() = nullptr;
}

TEST_F(PageTest, SelectDialogRunsModallyOverItsOwnerAndHandsOver) {
    SelectDialog dialog(shell_);
    bool activeWhileShown = false;
    int shownChoices = 0;
    ModalScript script{[&] { return dialog.hwnd(); }, {VK_DOWN, VK_RETURN}, 0, [&] {
                           activeWhileShown = shell_.focus.active();
                           shownChoices = dialog.choiceCount();
                       }};
    INT_PTR result = 0;
    RunScripted(script, [&] { result = dialog.DoModal(main_); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(activeWhileShown);
    EXPECT_EQ(shownChoices, 2);
    EXPECT_FALSE(shell_.focus.active());
    EXPECT_FALSE(dialog.hwnd());
    Pump();
    ASSERT_EQ(shell_.calls.size(), 1u);
    EXPECT_EQ(shell_.calls[0].what, RecordingShell::Asked::kAddPickedProgram);
    EXPECT_EQ(shell_.calls[0].number, 2);  // "Other Program"
    EXPECT_TRUE(::IsWindowEnabled(main_));

    // Esc ends it with nothing handed over.
    ModalScript esc{[&] { return dialog.hwnd(); }, {VK_ESCAPE}, 0, {}};
    RunScripted(esc, [&] { result = dialog.DoModal(main_); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(shell_.focus.active());
    Pump();
    EXPECT_EQ(shell_.calls.size(), 1u);
}

// Page commands run the page's own browser modally over the page, with the mode they ask for:
// 3 pictures, 2 video, 0 by the tile's kind (a page's own kind keeps the browser as it was).
TEST_F(PageTest, PageCommandsRunThePagesOwnBrowser) {
    LaunchActions launch(ports_, {});
    RecordingPlayer player;
    ProgramPage page(GamePageKind(), shell_, launch);
    page.UseBrowser(player, {}, nullptr);
    ASSERT_TRUE(page.Open(main_));
    struct Step {
        WPARAM command;
        LPARAM kind;
        MediaKind mode;
    };
    const Step steps[] = {{3, 0, MediaKind::Picture}, {0, 5, MediaKind::Picture}, {2, 0, MediaKind::Video},
                          {0, 3, MediaKind::Picture}, {0, 4, MediaKind::Video}};
    for (const Step& step : steps) {
        MediaKind seenMode = MediaKind::Program;
        bool pageDisabled = false;
        ModalScript script{[&] { return page.browser()->hwnd(); }, {VK_ESCAPE}, 0, [&] {
                               seenMode = page.browser()->mode();
                               pageDisabled = !::IsWindowEnabled(page.hwnd());
                           }};
        RunScripted(script, [&] { ::SendMessageW(page.hwnd(), kMsgPageCommand, step.command, step.kind); });
        EXPECT_EQ(seenMode, step.mode) << "command " << step.command << " kind " << step.kind;
        EXPECT_TRUE(pageDisabled);
        EXPECT_FALSE(page.browser()->hwnd());
        EXPECT_TRUE(::IsWindowEnabled(page.hwnd()));
    }
    EXPECT_TRUE(page.hwnd());  // the page stays
    ::SendMessageW(page.hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace tessaly
