// The history menu as the platform shows it: the section headers drawn, and
// the clip pop-up opened by a right-button release or the menu key.
#include <gtest/gtest.h>

#include "HistoryFixture.h"
#include "PixelHelpers.h"
#include "app/MainForm_win.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "history/PopupRules.h"
#include "history/SectionHeaders_win.h"
#include "toolkit/Dialog_win.h"
#include "toolkit/Theme_win.h"

using namespace testing_support;

namespace {

// The open menu window that shows `menu`, or null.
HWND MenuWindowOf(HMENU menu) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w) && reinterpret_cast<HMENU>(SendMessageA(w, 0x01E1, 0, 0)) == menu) return w;
    return nullptr;
}

// Releases the right button over the item at `position` of the open `menu`, as a person would.
bool RightClickItem(HMENU menu, int position) {
    HWND window = MenuWindowOf(menu);
    RECT item{};
    if (!window || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) return false;
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    SetCursorPos(at.x, at.y);
    ScreenToClient(window, &at);
    PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    return true;
}

struct PopupTest : ::testing::Test {
    QuietFolder folder;
    app::TfrmMain form{folder.Path()};
    HiddenWindow other{"AnotherProgram"};
    void Copy(const char* text) {
        ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, text)}));
        form.ClipboardChanged();
    }
    // Opens the history menu and runs `steps` in it; returns once the menus are closed.
    void InHistoryMenu(std::vector<TimedSteps::Step> steps) {
        TimedSteps run(std::move(steps), 150);
        form.PopupAtCursor(form.HistoryMenu());
        EXPECT_TRUE(WaitedFor("every step in the menus", [&] { return run.Done(); }));
    }
    // A step that waits for the clip pop-up, notes the state of its items and closes it.
    TimedSteps::Step SeePopup(std::vector<UINT>& states) {
        return [this, &states] {
            if (!MenuWindowOf(form.ClipPopupMenu())) return false;
            toolkit::MenuItem* popup = form.Menus().Find("mniPopup");
            for (toolkit::MenuItem* item : {popup->Find("复制"), popup->Find("添加至个人历史"), popup->Find("从个人历史中移除")})
                states.push_back(GetMenuState(form.ClipPopupMenu(), item->Command(), MF_BYCOMMAND));
            EndMenu();
            return true;
        };
    }
};

}  // namespace

TEST(ClipKinds, EachKindInEachSectionOffersItsCommands) {
    // kind: format, mail, open, open in new window, separator below them
    const struct {
        std::shared_ptr<clips::TClip> clip;
        int kind;
        bool format, mail, open, newWindow, sep01;
    } kinds[] = {{std::make_shared<clips::TClipText>(), 0, true, true, false, false, true},
                 {std::make_shared<clips::TClipRichText>(), 1, false, true, false, false, true},
                 {std::make_shared<clips::TClipHTMLText>(), 2, false, true, false, false, true},
                 {std::make_shared<clips::TClipImage>(), 3, false, false, false, false, false},
                 {std::make_shared<clips::TClipFiles>(), 4, false, false, false, false, false},
                 {std::make_shared<clips::TClipWave>(), 5, false, false, false, false, false},
                 {std::make_shared<clips::TClipText>(), 6, false, true, true, true, true}};
    for (const auto& k : kinds) {
        k.clip->SetKind(k.kind);
        if (auto* text = dynamic_cast<clips::TClipText*>(k.clip.get())) text->Text = "https://example.org";
        for (bool clipboardSection : {true, false}) {
            for (bool onClipboard : {true, false}) {
                auto s = history::PopupItemStatesFor({k.clip->Commands(), clipboardSection, onClipboard, 0});
                SCOPED_TRACE(testing::Message() << "kind " << k.kind << (clipboardSection ? " clipboard" : " personal")
                                                << (onClipboard ? " on clipboard" : ""));
                EXPECT_EQ(s.copyEnabled, !onClipboard);
                EXPECT_EQ(s.copyAsPlainTextEnabled, k.kind == 1 || k.kind == 2);
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

TEST_F(HistoryFixture, HeadersAreMeasuredAndDrawnAsEngravedRulesWithTheirNames) {
    testpix::DrawingSurface surface(300, 20);
    toolkit::UniqueDC& dc = surface.dc;
    SIZE label{};
    GetTextExtentPoint32W(dc.get(), L" 剪贴板历史纪录 ", 9, &label);

    UINT width = 10, height = 0;
    history::MeasureSectionHeader(" 剪贴板历史纪录 ", dc.get(), width, height);
    EXPECT_EQ(height, UINT(label.cy + 2));
    EXPECT_EQ(width, UINT(label.cx + 10));
    width = 1000;
    history::MeasureSectionHeader(" 剪贴板历史纪录 ", dc.get(), width, height);
    EXPECT_EQ(width, 1000u);  // a wider proposal stays

    PatBlt(dc.get(), 0, 0, 300, 20, BLACKNESS);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 0, 0, 0, nullptr, dc.get(), {0, 0, 300, LONG(height)}, 0};
    history::DrawSectionHeader(" 剪贴板历史纪录 ", draw);
    GdiFlush();
    const toolkit::Palette& colours = toolkit::Theme::Current().MenuColours();
    EXPECT_EQ(GetPixel(dc.get(), 0, 7), colours.menu);  // the rule starts one pixel in
    EXPECT_EQ(GetPixel(dc.get(), 1, 7), colours.ruleDark);
    EXPECT_EQ(GetPixel(dc.get(), 1, 8), colours.ruleLight);
    EXPECT_EQ(GetPixel(dc.get(), 298, 7), colours.ruleDark);
    EXPECT_EQ(GetPixel(dc.get(), 299, 7), colours.menu);  // and stops one pixel short
    // Under the label's leading blank the rule is hidden by the menu's background.
    EXPECT_EQ(GetPixel(dc.get(), (300 - label.cx) / 2 + 1, 7), colours.menu);
}

TEST_F(PopupTest, TheRightButtonOverAClipOrTheMenuKeyOpensItsPopupOverAHeaderNothing) {
    Copy("older");
    Copy("newer");
    // Shown: 0 personal header, 1 personal marker, 2 clipboard header, 3 "older", 4 "newer".
    HMENU history = form.HistoryMenu();
    bool popupOverHeader = true;
    std::vector<UINT> states;  // copy, add to and remove from the personal history
    InHistoryMenu({[&] { return RightClickItem(history, 2); },
                   [&] {
                       popupOverHeader = MenuWindowOf(form.ClipPopupMenu()) != nullptr;
                       return RightClickItem(history, 3);
                   },
                   SeePopup(states)});
    EXPECT_FALSE(popupOverHeader);
    EXPECT_EQ(form.PopupClip(), form.History().Menu().ClipAtIndex(4));  // "older"
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0] & MF_GRAYED, 0u);           // not the clip on the clipboard
    EXPECT_EQ(states[1] & MF_GRAYED, 0u);           // a clipboard clip can be kept
    EXPECT_EQ(states[2], static_cast<UINT>(-1));  // and is not a personal one

    // Up in a fresh menu highlights its last item: "newer", the clip on the clipboard.
    auto key = [&](WPARAM vk) { return PostMessageA(MenuWindowOf(history), WM_KEYDOWN, vk, 0) != 0; };
    states.clear();
    InHistoryMenu({[&] { return MenuWindowOf(history) && key(VK_UP); }, [&] { return key(VK_APPS); }, SeePopup(states)});
    EXPECT_EQ(form.PopupClip(), form.History().Menu().ClipAtIndex(5));
    ASSERT_FALSE(states.empty());
    EXPECT_NE(states[0] & MF_GRAYED, 0u);
}
