#include "launcher/ui/hook_events.h"

#include "launcher/ui/karaoke_panel.h"

namespace tessaly {

bool HandleHookEvent(WPARAM message, const KBDLLHOOKSTRUCT& event, const ModifierPort& modifiers,
                     HookTarget& target) {
    HookResult r = ClassifyHookKey(static_cast<UINT>(message), event.vkCode, target.PanelShown(), modifiers);
    if (r.sendToPanel) {
        KaraokePanel::QueueKey(target.PanelWindow(), static_cast<int>(event.vkCode));
    }
    if (r.postToggle) target.PostTogglePanel();
    return r.swallow;
}

}  // namespace tessaly
