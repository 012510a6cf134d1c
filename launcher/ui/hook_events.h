#pragma once
#include <windows.h>

#include "launcher/model/menu_logic.h"

namespace tessaly {

// What the launcher's keyboard hook needs from the rest of the program.
class HookTarget {
public:
    virtual bool PanelShown() const = 0;
    virtual HWND PanelWindow() const = 0;  // null when there is no panel
    virtual void PostTogglePanel() = 0;

protected:
    ~HookTarget() = default;
};

// The hook's work for one key event: queues the key for the karaoke panel (posted: the panel does
// the work on its next message, never inside the hook), asks for the panel to be toggled, and says
// whether the key is swallowed (true) or passed on.
bool HandleHookEvent(WPARAM message, const KBDLLHOOKSTRUCT& event, const ModifierPort& modifiers,
                     HookTarget& target);

}  // namespace tessaly
