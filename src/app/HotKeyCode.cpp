#include "app/HotKeyCode.h"

#include "common/Settings.h"

namespace app {

HotKeyRegistration HotKeyFromShortcut(int32_t shortcutCode) {
    common::Shortcut s = common::SplitShortcut(shortcutCode);
    HotKeyRegistration r;
    r.virtualKey = s.virtualKey;
    if (s.alt) r.modifiers |= kModAlt;
    if (s.ctrl) r.modifiers |= kModControl;
    if (s.shift) r.modifiers |= kModShift;
    return r;
}

}  // namespace app
