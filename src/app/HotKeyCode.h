#pragma once
// The hot key's shortcut code turned into what RegisterHotKey takes.
#include <cstdint>

namespace app {

// The platform's modifier values (MOD_ALT, MOD_CONTROL, MOD_SHIFT).
constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kModShift = 4;

struct HotKeyRegistration {
    unsigned modifiers = 0;  // never the Windows-key modifier
    unsigned virtualKey = 0;
};

HotKeyRegistration HotKeyFromShortcut(int32_t shortcutCode);

}  // namespace app
