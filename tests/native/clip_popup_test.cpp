// What the clip pop-up offers for each clip, which item a right-click lands on,
// and how captions reach the platform menu.
#include <gtest/gtest.h>

#include "history/MenuPositions.h"
#include "history/PopupRules.h"
#include "toolkit/MenuCaption.h"

using history::PopupItemStatesFor;

TEST(PopupRules, EachKindInEachSection) {
    // kind: format, mail, open, open in new window, separator below them
    const struct {
        int kind;
        bool format, mail, open, newWindow, sep01;
    } kinds[] = {{0, true, true, false, false, true},   {1, false, true, false, false, true},
                 {2, false, true, false, false, true},  {3, false, false, false, false, false},
                 {4, false, false, false, false, false}, {5, false, false, false, false, false},
                 {6, false, true, true, true, true}};
    for (const auto& k : kinds) {
        for (bool clipboardSection : {true, false}) {
            for (bool onClipboard : {true, false}) {
                auto s = PopupItemStatesFor({k.kind, clipboardSection, onClipboard, "https://example.org", 0});
                SCOPED_TRACE(testing::Message() << "kind " << k.kind << (clipboardSection ? " clipboard" : " personal")
                                                << (onClipboard ? " on clipboard" : ""));
                EXPECT_EQ(s.copyEnabled, !onClipboard);
                EXPECT_EQ(s.addToPersonalVisible, clipboardSection);
                EXPECT_EQ(s.addToPersonalEnabled, clipboardSection && k.kind != 5);
                EXPECT_EQ(s.removeFromPersonalVisible, !clipboardSection);
                EXPECT_EQ(s.formatVisible, k.format);
                EXPECT_EQ(s.sendAsMailVisible, k.mail);
                EXPECT_EQ(s.openVisible, k.open);
                EXPECT_EQ(s.openInNewWindowVisible, k.newWindow);
                EXPECT_EQ(s.sep01Visible, k.sep01);
            }
        }
    }
}

TEST(PopupRules, MailtoLinksOpenOnlyInPlaceAndUndoFollowsTheMark) {
    auto link = [](const char* text) { return PopupItemStatesFor({6, true, false, text, 0}); };
    EXPECT_TRUE(link("mailto:a@b.c").openVisible);
    EXPECT_FALSE(link("mailto:a@b.c").openInNewWindowVisible);
    EXPECT_TRUE(link("MAILTO:a@b.c").openInNewWindowVisible);  // the comparison is case-sensitive
    EXPECT_TRUE(link("mailto").openInNewWindowVisible);        // shorter than the word: compared whole
    EXPECT_TRUE(PopupItemStatesFor({0, true, false, "x", 1}).undoEnabled);
    EXPECT_FALSE(PopupItemStatesFor({0, true, false, "x", 0}).undoEnabled);
}

TEST(MenuPositions, HiddenMarkersShiftThePositionsShown) {
    // Two personal and two clipboard clips, both markers hidden: items are
    // 0 header, 1 marker, 2-3 personal, 4 header, 5 marker, 6-7 clipboard.
    EXPECT_EQ(history::ItemPositionFromPlatform(4, true, 4, true), 6);  // the first clipboard clip
    EXPECT_EQ(history::ItemPositionFromPlatform(3, true, 4, true), 4);  // the clipboard header
    EXPECT_EQ(history::ItemPositionFromPlatform(0, true, 4, true), 1);  // the personal header: a marker, no pop-up
    // No personal clip (its marker shown), one clipboard clip shown at 3.
    EXPECT_EQ(history::ItemPositionFromPlatform(3, false, 2, true), 4);
}

TEST(MenuCaption, ShownExactlyAsSet) {
    EXPECT_EQ(toolkit::PlatformMenuCaption("Tom & Jerry"), "Tom && Jerry");
    EXPECT_EQ(toolkit::PlatformMenuCaption("a\tb&&"), "a b&&&&");
    EXPECT_EQ(toolkit::PlatformMenuCaption("剪贴板 [..]"), "剪贴板 [..]");
}
