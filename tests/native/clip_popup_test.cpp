// What the clip pop-up offers for what a clip's kind allows (each kind in
// each section: the Windows tests), and how captions reach the platform menu.
#include <gtest/gtest.h>

#include "history/PopupRules.h"
#include "toolkit/MenuCaption.h"

using history::PopupItemStatesFor;

TEST(PopupRules, MailtoLinksOpenOnlyInPlaceAndUndoFollowsTheMark) {
    auto link = [](const char* text) {
        // kept in the personal history, sent as mail, transformed, opened
        return PopupItemStatesFor({{true, true, false, true, text}, true, false, 0});
    };
    EXPECT_TRUE(link("mailto:a@b.c").openVisible);
    EXPECT_FALSE(link("mailto:a@b.c").openInNewWindowVisible);
    EXPECT_TRUE(link("MAILTO:a@b.c").openInNewWindowVisible);  // the comparison is case-sensitive
    EXPECT_TRUE(link("mailto").openInNewWindowVisible);        // shorter than the word: compared whole
    const clips::ClipCommands plain{true, true, true, false, "x"};
    EXPECT_TRUE(PopupItemStatesFor({plain, true, false, 1}).undoEnabled);
    EXPECT_FALSE(PopupItemStatesFor({plain, true, false, 0}).undoEnabled);
}

TEST(MenuCaption, ShownExactlyAsSet) {
    EXPECT_EQ(toolkit::PlatformMenuCaption("Tom & Jerry"), "Tom && Jerry");
    EXPECT_EQ(toolkit::PlatformMenuCaption("a\tb&&"), "a b&&&&");
    EXPECT_EQ(toolkit::PlatformMenuCaption("剪贴板 [..]"), "剪贴板 [..]");
}
