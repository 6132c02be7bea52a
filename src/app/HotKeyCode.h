#pragma once
// The hot key's shortcut code turned into what RegisterHotKey takes, and into
// the value of the hot-key capture control and back.
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

// The hot-key control's flags (HOTKEYF_SHIFT, _CONTROL, _ALT, _EXT): its value
// is the virtual key in the low byte and these flags in the high byte.
constexpr uint8_t kHotKeyFShift = 1;
constexpr uint8_t kHotKeyFControl = 2;
constexpr uint8_t kHotKeyFAlt = 4;
constexpr uint8_t kHotKeyFExt = 8;

// The control's value for a shortcut code; 0 (no key) when the key does not
// fit the control's one byte. Keys of the extended block get the extended
// flag, so the control names them rightly ("Home", not "Num 7").
uint16_t HotKeyControlValue(int32_t shortcutCode);
// The shortcut code of a control value (the extended flag is only for display).
uint16_t ShortcutOfHotKeyControl(uint16_t value);

}  // namespace app
