#include "app/HotKey_win.h"

#include "app/HotKeyCode.h"

namespace app {

void HotKey::Apply(bool on, int32_t shortcutCode) {
    if (registered_) {
        UnregisterHotKey(window_, id_);
        registered_ = false;
    }
    if (on) {
        HotKeyRegistration r = HotKeyFromShortcut(shortcutCode);
        if (id_ == 0) id_ = GlobalAddAtomW(L"pellacor");
        // A combination another program holds simply stays without effect.
        registered_ = RegisterHotKey(window_, id_, r.modifiers, r.virtualKey) != FALSE;
    } else if (id_ != 0) {
        GlobalDeleteAtom(id_);
        id_ = 0;  // the next registration adds the atom anew
    }
}

}  // namespace app
