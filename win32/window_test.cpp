#include "win32/handles.h"
#include "win32/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class LoggingControl : public win32::Control {
public:
    bool consume = false;
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN) g_log.push_back("control");
        return consume && msg.message == WM_KEYDOWN;
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_KEYDOWN) g_log.push_back("control-proc");
        return Default(msg, wp, lp);
    }
};

class TestDialog : public win32::Dialog {
public:
    TestDialog() : Dialog(500) {}
    LoggingControl child;
    std::vector<UINT> script;  // messages to post to ourselves after init
    bool initialised = false;

    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN) {
            g_log.push_back("dialog");
            if (msg.wParam == 'Q') {
                EndDialog(42);
                return true;
            }
        }
        return Dialog::PreTranslateMessage(msg);
    }

protected:
    BOOL OnInitDialog() override {
        initialised = true;
        child.Create(L"STATIC", L"child", WS_VISIBLE | SS_NOTIFY, RECT{0, 40, 50, 60}, hwnd(), 77);
        for (UINT m : script) ::PostMessageW(hwnd(), m, 0, 0);
        return TRUE;
    }
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_APP + 1) {
            EndDialog(7);
            return 0;
        }
        return std::nullopt;
    }
};

TEST(Dialog, ModalRunEndsWithTheResultGivenToEndDialog) {
    TestDialog dlg;
    dlg.script = {WM_APP + 1};
    EXPECT_EQ(dlg.DoModal(nullptr), 7);
    EXPECT_TRUE(dlg.initialised);
    EXPECT_EQ(dlg.hwnd(), nullptr);  // destroyed after the run
    EXPECT_EQ(dlg.child.hwnd(), nullptr);
}

TEST(Dialog, CloseMessageEndsAModalRunAsCancel) {
    TestDialog dlg;
    dlg.script = {WM_CLOSE};
    EXPECT_EQ(dlg.DoModal(nullptr), IDCANCEL);
}

TEST(Dialog, MissingTemplateFails) {
    win32::Dialog dlg(4321);
    EXPECT_EQ(dlg.DoModal(nullptr), -1);
    EXPECT_FALSE(dlg.Create(nullptr));
}

TEST(Dialog, KeysVisitTheTargetFirstThenItsParents) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    g_log.clear();
    MSG msg{dlg.child.hwnd(), WM_KEYDOWN, 'A', 0, 0, {}};
    // The dialog's standard key processing takes the key and delivers it to the control.
    EXPECT_TRUE(win32::Window::WalkPreTranslate(msg));
    EXPECT_EQ(g_log, (std::vector<std::string>{"control", "dialog", "control-proc"}));

    g_log.clear();
    dlg.child.consume = true;
    EXPECT_TRUE(win32::Window::WalkPreTranslate(msg));
    EXPECT_EQ(g_log, (std::vector<std::string>{"control"}));
    dlg.Destroy();
    EXPECT_EQ(win32::Window::FromHandle(msg.hwnd), nullptr);
}

TEST(Dialog, ModalLoopGivesPreTranslateTheFirstLook) {
    TestDialog dlg;
    dlg.script = {};
    // A key posted to the child: the dialog's PreTranslateMessage ends the run before dispatch.
    struct Poster : TestDialog {
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            ::PostMessageW(child.hwnd(), WM_KEYDOWN, 'Q', 0);
            return TRUE;
        }
    } poster;
    g_log.clear();
    EXPECT_EQ(poster.DoModal(nullptr), 42);
    EXPECT_EQ(g_log, (std::vector<std::string>{"control", "dialog"}));  // never "control-proc"
}

TEST(Dialog, ModalRunDisablesAndReEnablesItsOwner) {
    TestDialog owner;
    ASSERT_TRUE(owner.Create(nullptr));
    struct Probe : TestDialog {
        HWND ownerWnd = nullptr;
        bool ownerEnabledDuringRun = true;
        BOOL OnInitDialog() override {
            ::PostMessageW(hwnd(), WM_APP + 2, 0, 0);
            return TestDialog::OnInitDialog();
        }
        std::optional<LRESULT> OnMessage(UINT msg, WPARAM w, LPARAM l) override {
            if (msg == WM_APP + 2) {
                ownerEnabledDuringRun = ::IsWindowEnabled(ownerWnd) != FALSE;
                EndDialog(1);
                return 0;
            }
            return TestDialog::OnMessage(msg, w, l);
        }
    } probe;
    probe.ownerWnd = owner.hwnd();
    EXPECT_EQ(probe.DoModal(owner.hwnd()), 1);
    EXPECT_FALSE(probe.ownerEnabledDuringRun);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}

TEST(Handles, OwnersCloseOnceAndHandOver) {
    win32::Handle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.get();
    win32::Handle moved(std::move(event));
    EXPECT_FALSE(event);
    EXPECT_EQ(moved.get(), raw);
    moved.reset();
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));  // closed

    win32::FindHandle none;
    EXPECT_FALSE(none);  // INVALID_HANDLE_VALUE is empty, not a handle
}

}  // namespace
