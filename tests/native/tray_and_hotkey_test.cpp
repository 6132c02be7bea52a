// The tray tip texts and the hot key's modifier mapping.
#include <gtest/gtest.h>

#include "app/HotKeyCode.h"
#include "app/TrayTip.h"

TEST(TrayTip, CountsBothHistoriesInTheTwoFormats) {
    EXPECT_STREQ(app::kInitialTrayTip, "PELLACOR  [ 0 剪辑 - 0 个人剪辑  ]");
    EXPECT_EQ(app::TrayTipText(1, 0), "PELLACOR [ 1 剪辑 -  0 个人剪辑 ]");
    EXPECT_EQ(app::TrayTipText(5, 2), "PELLACOR [ 5 剪辑 -  2 个人剪辑 ]");
    EXPECT_EQ(app::TrayTipText(0, 3), "PELLACOR [ 0 剪辑 -  3 个人剪辑 ]");
}

TEST(TrayTip, TenDigitCountsStayWithin63Bytes) {
    std::string tip = app::TrayTipText(4294967295u, 4294967295u);
    EXPECT_LE(tip.size(), 63u);
    EXPECT_EQ(tip, "PELLACOR [ 4294967295 剪辑 -  4294967295 个人剪辑 ]");
}

TEST(HotKeyCode, ShortcutBitsMapToModifiers) {
    auto altV = app::HotKeyFromShortcut(0x8056);
    EXPECT_EQ(altV.modifiers, app::kModAlt);
    EXPECT_EQ(altV.virtualKey, 0x56u);
    auto ctrlAltA = app::HotKeyFromShortcut(49217);
    EXPECT_EQ(ctrlAltA.modifiers, app::kModAlt | app::kModControl);
    EXPECT_EQ(ctrlAltA.virtualKey, 0x41u);
    auto ctrlShiftF1 = app::HotKeyFromShortcut(0x6070);
    EXPECT_EQ(ctrlShiftF1.modifiers, app::kModControl | app::kModShift);
    EXPECT_EQ(ctrlShiftF1.virtualKey, 0x70u);
}
