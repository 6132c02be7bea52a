// The tray tip texts and the hot key's modifier mapping.
#include <gtest/gtest.h>

#include "app/HotKeyCode.h"
#include "app/TrayTip.h"

TEST(TrayTip, CountsBothHistoriesInTheTwoFormats) {
    EXPECT_STREQ(app::kInitialTrayTip, "PELLACOR  [ 0 剪辑 - 0 个人剪辑  ]");
    EXPECT_EQ(app::TrayTipText(0, 0), "PELLACOR [ 0 剪辑 -  0 个人剪辑 ]");
    EXPECT_EQ(app::TrayTipText(1, 0), "PELLACOR [ 1 剪辑 -  0 个人剪辑 ]");
    EXPECT_EQ(app::TrayTipText(5, 2), "PELLACOR [ 5 剪辑 -  2 个人剪辑 ]");
    // Ten-digit counts still fit the 63 bytes of the tip.
    std::string tip = app::TrayTipText(4294967295u, 4294967295u);
    EXPECT_LE(tip.size(), 63u);
    EXPECT_EQ(tip, "PELLACOR [ 4294967295 剪辑 -  4294967295 个人剪辑 ]");
}

TEST(HotKeyCode, ShortcutBitsMapToModifiers) {
    const struct {
        int32_t shortcut;
        unsigned modifiers, key;
    } cases[] = {{0x8056, app::kModAlt, 0x56},                        // Alt+V
                 {49217, app::kModAlt | app::kModControl, 'A'},       // Ctrl+Alt+A
                 {0x6070, app::kModControl | app::kModShift, 0x70}};  // Ctrl+Shift+F1
    for (const auto& c : cases) {
        auto hotKey = app::HotKeyFromShortcut(c.shortcut);
        EXPECT_EQ(hotKey.modifiers, c.modifiers) << c.shortcut;
        EXPECT_EQ(hotKey.virtualKey, c.key) << c.shortcut;
    }
}

TEST(HotKeyCode, ShortcutToHotKeyControlAndBack) {
    const struct {
        int32_t shortcut;
        uint16_t control;
    } cases[] = {{0x8056, 0x0456},                  // Alt+V
                 {0x6070, 0x0370},                  // Ctrl+Shift+F1
                 {0x8024, 0x0C24},                  // Alt+Home: an extended key
                 {0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(app::HotKeyControlValue(c.shortcut), c.control) << c.shortcut;
        EXPECT_EQ(app::ShortcutOfHotKeyControl(c.control), c.shortcut & 0xFFFF) << c.shortcut;
    }
    EXPECT_EQ(app::HotKeyControlValue(0x8000 | 0x1FFF), 0);  // a key the control cannot hold
    EXPECT_EQ(app::ShortcutOfHotKeyControl(0x0400), 0);      // Alt without a key is no key
}
