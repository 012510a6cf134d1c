#include "launcher/model/menu_logic.h"

#include <cwchar>

#include "win32/scale.h"

namespace tessaly {

using win32::ScaleX;
using win32::ScaleY;

const wchar_t* MenuLabel(int command) {
    static const wchar_t* const labels[kMenuTileCount] = {
        L"Play Video", L"Play Music", L"Browse Pictures", L"Karaoke",
        L"Game Menu",  L"Other Program", L"Add Program", L"Exit"};
    return command >= 1 && command <= kMenuTileCount ? labels[command - 1] : L"";
}

int StepSelection(int selection, MoveStep step) {
    if (selection < 1 || selection > kMenuTileCount) selection = 1;
    switch (step) {
        case MoveStep::Previous: return selection == 1 ? kMenuTileCount : selection - 1;
        case MoveStep::Next: return selection == kMenuTileCount ? 1 : selection + 1;
        case MoveStep::Activate: break;
    }
    return selection;
}

MainKey ClassifyMainKey(UINT message, WPARAM vk, const KeyContext& context) {
    if ((message == WM_KEYDOWN || message == WM_KEYUP) && context.selectDialogActive)
        return MainKey::FocusSelectDialog;
    if (message == WM_KEYDOWN) {
        switch (vk) {
            case VK_RETURN: return MainKey::Activate;
            case VK_ESCAPE: return MainKey::Ignore;
            case VK_UP:
                return context.runningCommand == 0 ? MainKey::PreviousThenStandard : MainKey::Standard;
            case VK_DOWN:
                return context.runningCommand == 0 ? MainKey::NextThenStandard : MainKey::Standard;
            default: break;
        }
    }
    return MainKey::Standard;
}

HookResult ClassifyHookKey(UINT message, DWORD vk, bool karaokePanelShown, const ModifierPort& mods) {
    HookResult r;
    auto chordHeld = [&] {
        return mods.IsHeld(VK_LCONTROL) && mods.IsHeld(VK_LSHIFT) && mods.IsHeld(VK_LMENU);
    };
    if (message == WM_KEYDOWN) {
        bool navigation = vk == VK_RETURN || (vk >= VK_LEFT && vk <= VK_DOWN);
        if (navigation && karaokePanelShown) {
            r.sendToPanel = true;
            r.swallow = true;
            return r;
        }
        if ((navigation || vk == VK_OEM_5) && chordHeld()) r.postToggle = true;
    } else if (message == WM_SYSKEYDOWN && vk == 'K' && mods.IsHeld(VK_LMENU)) {
        r.postToggle = true;
    }
    return r;
}

RECT ClockRect(int cx, int cy, int clockFontHeight) {
    RECT r;
    r.top = ScaleY(cy, 90);
    r.bottom = r.top + ScaleY(cy, clockFontHeight);
    r.right = cx - ScaleX(cx, 100);
    r.left = r.right - ScaleX(cx, 600);
    return r;
}

RECT MenuTileRect(int cx, int cy, int index) {
    RECT r;
    r.left = ScaleX(cx, 100);
    r.right = r.left + ScaleX(cx, 400);
    r.top = ScaleY(cy, 200) + (index - 1) * (ScaleY(cy, 70) + ScaleY(cy, 10));
    r.bottom = r.top + ScaleY(cy, 70);
    return r;
}

RECT StartPromptRect(int cx, int cy) {
    int h = ScaleY(cy, 200);
    return RECT{cx / 2 - h, cy / 2 - h, cx / 2 + h, cy / 2 + h};
}

RECT StartPromptTextRect(const RECT& prompt) {
    int w = prompt.right - prompt.left;
    int h = prompt.bottom - prompt.top;
    return RECT{w * 30 / 400, h * 320 / 400, w * 340 / 400, h * 390 / 400};
}

std::wstring FormatClock(const SYSTEMTIME& t) {
    wchar_t buf[64];
    int n = std::swprintf(buf, 64, L"%02u/%02u/%04u %02u:%02u", t.wMonth, t.wDay, t.wYear, t.wHour,
                          t.wMinute);
    return n > 0 ? std::wstring(buf, static_cast<size_t>(n)) : std::wstring();
}

std::wstring OpenFileFilter() {
    // Each description names its patterns; the third one's placeholder is filled with them.
    std::wstring f = L"All Files(*.*)|*.*|MP3 Files(*.mp3)|*.mp3|"
                     L"Video Files(*.avi;*.dat;*.rmvb;*.wmv)|*.avi;*.dat;*.rmvb;*.wmv;||";
    for (auto& c : f)
        if (c == L'|') c = L'\0';
    return f;
}

std::wstring TrimBlanks(const std::wstring& s) {
    size_t b = s.find_first_not_of(L' ');
    if (b == std::wstring::npos) return std::wstring();
    size_t e = s.find_last_not_of(L' ');
    return s.substr(b, e - b + 1);
}

}  // namespace tessaly
