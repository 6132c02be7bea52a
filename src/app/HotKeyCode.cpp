#include "app/HotKeyCode.h"

#include "common/Settings.h"

namespace app {
namespace {
constexpr uint16_t kShiftBit = 0x2000, kCtrlBit = 0x4000, kAltBit = 0x8000;

// Page Up to Down arrow, Print Screen, Insert, Delete, the Windows and menu keys, numeric "/", Num Lock.
bool IsExtendedKey(unsigned key) {
    return (key >= 0x21 && key <= 0x28) || key == 0x2C || key == 0x2D || key == 0x2E ||
           (key >= 0x5B && key <= 0x5D) || key == 0x6F || key == 0x90;
}
}  // namespace

HotKeyRegistration HotKeyFromShortcut(int32_t shortcutCode) {
    common::Shortcut s = common::SplitShortcut(shortcutCode);
    HotKeyRegistration r;
    r.virtualKey = s.virtualKey;
    if (s.alt) r.modifiers |= kModAlt;
    if (s.ctrl) r.modifiers |= kModControl;
    if (s.shift) r.modifiers |= kModShift;
    return r;
}

uint16_t HotKeyControlValue(int32_t shortcutCode) {
    common::Shortcut s = common::SplitShortcut(shortcutCode);
    if (s.virtualKey == 0 || s.virtualKey > 0xFF) return 0;
    uint8_t flags = 0;
    if (s.shift) flags |= kHotKeyFShift;
    if (s.ctrl) flags |= kHotKeyFControl;
    if (s.alt) flags |= kHotKeyFAlt;
    if (IsExtendedKey(s.virtualKey)) flags |= kHotKeyFExt;
    return static_cast<uint16_t>(s.virtualKey | flags << 8);
}

uint16_t ShortcutOfHotKeyControl(uint16_t value) {
    unsigned key = value & 0xFF, flags = value >> 8;
    if (key == 0) return 0;
    uint16_t code = static_cast<uint16_t>(key);
    if (flags & kHotKeyFShift) code |= kShiftBit;
    if (flags & kHotKeyFControl) code |= kCtrlBit;
    if (flags & kHotKeyFAlt) code |= kAltBit;
    return code;
}

}  // namespace app
