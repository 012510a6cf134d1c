#include "launcher/ui/hook_events.h"

#include "launcher/ui/messages.h"

namespace tessaly {

bool HandleHookEvent(WPARAM message, const KBDLLHOOKSTRUCT& event, const ModifierPort& modifiers,
                     HookTarget& target) {
    HookResult r = ClassifyHookKey(static_cast<UINT>(message), event.vkCode, target.PanelShown(), modifiers);
    if (r.sendToPanel) {
        if (HWND panel = target.PanelWindow()) ::PostMessageW(panel, kMsgPanelKey, event.vkCode, 0);
    }
    if (r.postToggle) target.PostTogglePanel();
    return r.swallow;
}

}  // namespace tessaly
