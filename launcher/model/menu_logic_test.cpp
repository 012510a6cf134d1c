#include "launcher/model/menu_logic.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly {
namespace {

TEST(MenuSelection, WrapsBothWaysAndKeepsRangeOnActivate) {
    EXPECT_EQ(StepSelection(1, MoveStep::Previous), 8);
    EXPECT_EQ(StepSelection(8, MoveStep::Next), 1);
    EXPECT_EQ(StepSelection(4, MoveStep::Previous), 3);
    EXPECT_EQ(StepSelection(4, MoveStep::Next), 5);
    EXPECT_EQ(StepSelection(5, MoveStep::Activate), 5);
    int sel = 1;
    for (int i = 0; i < 8; ++i) sel = StepSelection(sel, MoveStep::Next);
    EXPECT_EQ(sel, 1);  // a full round comes back
    EXPECT_EQ(StepSelection(0, MoveStep::Next), 2);  // out-of-range input is treated as the first tile
}

TEST(MenuLabels, EightDistinctLabelsInMenuOrder) {
    EXPECT_STREQ(MenuLabel(1), L"Play Video");
    EXPECT_STREQ(MenuLabel(4), L"Karaoke");
    EXPECT_STREQ(MenuLabel(7), L"Add Program");
    EXPECT_STREQ(MenuLabel(8), L"Exit");
    EXPECT_STREQ(MenuLabel(0), L"");
    EXPECT_STREQ(MenuLabel(9), L"");
    std::set<std::wstring> all;
    for (int i = 1; i <= 8; ++i) all.insert(MenuLabel(i));
    EXPECT_EQ(all.size(), 8u);
}

TEST(MainKeys, EnterActivatesEscapeIsIgnoredArrowsMoveOnlyWithoutCommand) {
    KeyContext idle{};
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_RETURN, idle), MainKey::Activate);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_ESCAPE, idle), MainKey::Ignore);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_UP, idle), MainKey::PreviousThenStandard);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_DOWN, idle), MainKey::NextThenStandard);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_LEFT, idle), MainKey::Standard);
    EXPECT_EQ(ClassifyMainKey(WM_KEYUP, VK_RETURN, idle), MainKey::Standard);

    KeyContext page{false, 5};
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_UP, page), MainKey::Standard);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_DOWN, page), MainKey::Standard);
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, VK_RETURN, page), MainKey::Activate);  // MoveSelection refuses

    KeyContext select{true, 0};
    EXPECT_EQ(ClassifyMainKey(WM_KEYDOWN, 'A', select), MainKey::FocusSelectDialog);
    EXPECT_EQ(ClassifyMainKey(WM_KEYUP, VK_RETURN, select), MainKey::FocusSelectDialog);
    EXPECT_EQ(ClassifyMainKey(WM_CHAR, 'a', select), MainKey::Standard);
}

class FakeModifiers : public ModifierPort {
public:
    std::set<int> held;
    bool IsHeld(int vk) const override { return held.count(vk) != 0; }
};

TEST(HookKeys, PanelShownTakesNavigationKeysOnly) {
    FakeModifiers none;
    for (DWORD vk : {VK_RETURN, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        HookResult r = ClassifyHookKey(WM_KEYDOWN, vk, true, none);
        EXPECT_TRUE(r.sendToPanel && r.swallow && !r.postToggle) << vk;
        HookResult hidden = ClassifyHookKey(WM_KEYDOWN, vk, false, none);
        EXPECT_FALSE(hidden.sendToPanel || hidden.swallow || hidden.postToggle) << vk;
    }
    HookResult esc = ClassifyHookKey(WM_KEYDOWN, VK_ESCAPE, true, none);
    EXPECT_FALSE(esc.sendToPanel || esc.swallow);
    HookResult up = ClassifyHookKey(WM_KEYUP, VK_RETURN, true, none);
    EXPECT_FALSE(up.sendToPanel || up.swallow);  // key-ups are never examined
}

TEST(HookKeys, ChordNeedsAllThreeLeftModifiers) {
    FakeModifiers chord;
    chord.held = {VK_LCONTROL, VK_LSHIFT, VK_LMENU};
    EXPECT_TRUE(ClassifyHookKey(WM_KEYDOWN, VK_OEM_5, false, chord).postToggle);
    HookResult enter = ClassifyHookKey(WM_KEYDOWN, VK_RETURN, false, chord);
    EXPECT_TRUE(enter.postToggle);
    EXPECT_FALSE(enter.swallow);  // passed on as well
    // With the panel shown the navigation key goes to the panel instead.
    HookResult shown = ClassifyHookKey(WM_KEYDOWN, VK_RETURN, true, chord);
    EXPECT_TRUE(shown.swallow);
    EXPECT_FALSE(shown.postToggle);
    EXPECT_FALSE(ClassifyHookKey(WM_KEYDOWN, 'A', false, chord).postToggle);

    FakeModifiers rightControl;
    rightControl.held = {VK_RCONTROL, VK_LSHIFT, VK_LMENU};
    EXPECT_FALSE(ClassifyHookKey(WM_KEYDOWN, VK_OEM_5, false, rightControl).postToggle);
    FakeModifiers twoOnly;
    twoOnly.held = {VK_LCONTROL, VK_LSHIFT};
    EXPECT_FALSE(ClassifyHookKey(WM_KEYDOWN, VK_OEM_5, false, twoOnly).postToggle);
}

TEST(HookKeys, AltKIsASystemKeyWithLeftAlt) {
    FakeModifiers alt;
    alt.held = {VK_LMENU};
    EXPECT_TRUE(ClassifyHookKey(WM_SYSKEYDOWN, 'K', false, alt).postToggle);
    EXPECT_FALSE(ClassifyHookKey(WM_SYSKEYDOWN, 'K', false, FakeModifiers{}).postToggle);
    EXPECT_FALSE(ClassifyHookKey(WM_KEYDOWN, 'K', false, alt).postToggle);
    EXPECT_FALSE(ClassifyHookKey(WM_SYSKEYDOWN, 'J', false, alt).postToggle);
}

TEST(ClickLimiter, OneClickPer250MillisecondsAcrossTickWrap) {
    ClickRateLimiter limiter;
    EXPECT_TRUE(limiter.Allow(1000));
    EXPECT_FALSE(limiter.Allow(1100));
    EXPECT_FALSE(limiter.Allow(1249));
    EXPECT_TRUE(limiter.Allow(1250));
    int allowed = 0;
    for (DWORD t = 2000; t < 3000; t += 10) allowed += limiter.Allow(t) ? 1 : 0;
    EXPECT_EQ(allowed, 4);  // 2000, 2250, 2500, 2750
    ClickRateLimiter wrap;
    EXPECT_TRUE(wrap.Allow(0xFFFFFFF0u));
    EXPECT_FALSE(wrap.Allow(0x00000010u));  // 32 ms later, across the wrap
    EXPECT_TRUE(wrap.Allow(0x000000F0u));   // 256 ms later
}

TEST(Layout, MainWindowGeometryScalesWithTheScreen) {
    RECT clock = ClockRect(1920, 1080, 50);
    EXPECT_EQ(clock.top, 94);      // 1080*90/1024 = 94.9
    EXPECT_EQ(clock.bottom, 94 + 52);
    EXPECT_EQ(clock.right, 1820);
    EXPECT_EQ(clock.left, 1220);

    RECT first = MenuTileRect(1920, 1024, 1);
    EXPECT_EQ(first.left, 100);
    EXPECT_EQ(first.right, 500);
    EXPECT_EQ(first.top, 200);
    EXPECT_EQ(first.bottom, 270);
    RECT eighth = MenuTileRect(1280, 1024, 8);
    EXPECT_EQ(eighth.left, 66);
    EXPECT_EQ(eighth.right, 66 + 266);
    EXPECT_EQ(eighth.top, 200 + 7 * 80);

    RECT prompt = StartPromptRect(1920, 1080);
    EXPECT_EQ(prompt.left, 960 - 210);
    EXPECT_EQ(prompt.bottom, 540 + 210);
    RECT text = StartPromptTextRect(prompt);
    EXPECT_EQ(text.left, 420 * 30 / 400);
    EXPECT_EQ(text.top, 420 * 320 / 400);
    EXPECT_EQ(text.right, 420 * 340 / 400);
    EXPECT_EQ(text.bottom, 420 * 390 / 400);
}

TEST(Clock, FormatsMonthDayYearHoursMinutes) {
    SYSTEMTIME t{};
    t.wYear = 2026; t.wMonth = 3; t.wDay = 7; t.wHour = 9; t.wMinute = 5;
    EXPECT_EQ(FormatClock(t), L"03/07/2026 09:05");
    t.wMonth = 12; t.wDay = 31; t.wHour = 23; t.wMinute = 59;
    EXPECT_EQ(FormatClock(t), L"12/31/2026 23:59");
}

TEST(FileDialog, FilterPairsAndStartFolderTrim) {
    std::wstring f = OpenFileFilter();
    ASSERT_GE(f.size(), 2u);
    EXPECT_EQ(f[f.size() - 1], L'\0');
    EXPECT_EQ(f[f.size() - 2], L'\0');
    EXPECT_EQ(std::wstring(f.c_str()), L"All Files(*.*)");
    size_t parts = 0;
    for (size_t i = 0; i < f.size() && f[i] != L'\0' ? true : (i < f.size() && f[i + 1] != L'\0'); ) {
        i = f.find(L'\0', i) + 1;
        ++parts;
        if (i >= f.size() - 1) break;
    }
    EXPECT_EQ(parts, 6u);  // three description/pattern pairs
    EXPECT_EQ(TrimBlanks(L" E:\\ "), L"E:\\");
    EXPECT_EQ(TrimBlanks(L"E:\\ F:\\ "), L"E:\\ F:\\");
    EXPECT_EQ(TrimBlanks(L"   "), L"");
}

}  // namespace
}  // namespace tessaly
