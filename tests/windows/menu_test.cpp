// Menu items mirrored into real HMENUs, checked through the platform's own calls.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/Wide_win.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/MenuTable_win.h"

using toolkit::MenuItem;

namespace {

MenuItem* AddItem(MenuItem& parent, const char* caption) {
    parent.Add(std::make_unique<MenuItem>(caption));
    return parent.Items(parent.Count() - 1);
}

MENUITEMINFOA PlatformInfo(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info));
    return info;
}

struct MenuTest : ::testing::Test {
    MenuItem root;
    MenuItem* a = AddItem(root, "a");
    MenuItem* b = AddItem(root, "b");
    MenuItem* c = AddItem(root, "c");
    HMENU menu = root.Handle();

    // Every caption of the platform menu, in order.
    std::string Captions() {
        std::string all;
        wchar_t text[256];
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            all += common::Utf8(text);
        }
        return all;
    }
    UINT State(int position) { return PlatformInfo(menu, position).fState & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT); }
};

}  // namespace

TEST_F(MenuTest, ItemsAndTheirChangesReachThePlatformMenu) {
    EXPECT_EQ(Captions(), "abc");
    EXPECT_EQ(GetMenuItemID(menu, 1), b->Command());
    EXPECT_EQ(PlatformInfo(menu, 2).dwItemData, reinterpret_cast<ULONG_PTR>(c));
    b->SetCaption("B");
    b->SetEnabled(false);
    c->SetChecked(true);
    EXPECT_EQ(Captions(), "aBc");
    EXPECT_EQ(State(1), UINT{MFS_GRAYED});
    EXPECT_EQ(State(2), UINT{MFS_CHECKED});
    b->SetEnabled(true);
    c->SetChecked(false);
    EXPECT_EQ(State(1) | State(2), 0u);

    a->SetDefault(true);  // one default at most: setting one clears its siblings
    c->SetDefault(true);
    EXPECT_FALSE(a->Default());
    EXPECT_EQ(State(0), 0u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 2u);
    c->SetDefault(false);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), static_cast<UINT>(-1));
}

TEST_F(MenuTest, HiddenItemsAreAbsentAndComeBackInPlaceWithTheirChanges) {
    b->SetVisible(false);
    EXPECT_EQ(Captions(), "ac");
    EXPECT_EQ(b->PlatformIndex(), -1);
    EXPECT_EQ(c->PlatformIndex(), 1);
    EXPECT_EQ(root.ItemAtPlatformIndex(1), c);
    EXPECT_EQ(root.ItemAtPlatformIndex(2), nullptr);
    EXPECT_EQ(root.ItemAtPlatformIndex(-1), nullptr);  // the platform's "none"
    b->SetCaption("B");
    b->SetEnabled(false);
    b->SetDefault(true);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), static_cast<UINT>(-1));
    root.Insert(1, std::make_unique<MenuItem>("d"));  // before the hidden b
    b->SetVisible(true);
    EXPECT_EQ(Captions(), "adBc");
    EXPECT_EQ(State(2), UINT{MFS_GRAYED | MFS_DEFAULT});
}

TEST_F(MenuTest, RemovingAndDestroyingItems) {
    std::unique_ptr<MenuItem> removed = root.Remove(b);
    ASSERT_EQ(removed.get(), b);
    EXPECT_EQ(removed->Parent(), nullptr);
    EXPECT_EQ(Captions(), "ac");
    EXPECT_EQ(root.Remove(b), nullptr);  // not a child any more
    root.Insert(0, std::move(removed));
    EXPECT_EQ(Captions(), "bac");

    AddItem(*b, "child");
    HMENU sub = b->Handle();
    EXPECT_EQ(PlatformInfo(menu, 0).hSubMenu, sub);
    UINT command = b->Command();
    delete b;  // takes its sub-menu and child along
    EXPECT_EQ(Captions(), "ac");
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(MenuItem::FromCommand(command), nullptr);
}

TEST_F(MenuTest, OwnerDrawnItemsGetTheOwnerWindowsMessages) {
    MenuItem* separator = AddItem(root, "-");
    int measured = 0, drawn = 0;
    separator->SetOwnerDraw([&](MenuItem&, HDC, UINT& w, UINT& h) { ++measured, w = 40, h = 7; },
                            [&](MenuItem&, const DRAWITEMSTRUCT&) { ++drawn; });
    EXPECT_EQ(PlatformInfo(menu, 3).fType & (MFT_OWNERDRAW | MFT_SEPARATOR), UINT{MFT_OWNERDRAW | MFT_SEPARATOR});
    // The messages reach the handlers through the item data.
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 0, 0, 0, PlatformInfo(menu, 3).dwItemData};
    LRESULT result = 0;
    EXPECT_TRUE(MenuItem::HandleOwnerWindowMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), result));
    EXPECT_EQ(measure.itemWidth, 40u);
    EXPECT_EQ(measure.itemHeight, 7u);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, 0, 0, 0, nullptr, nullptr, {}, measure.itemData};
    EXPECT_TRUE(MenuItem::HandleOwnerWindowMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), result));
    EXPECT_EQ(measured + drawn, 2);
    // Items that draw nothing of their own are left to the system.
    draw.itemData = PlatformInfo(menu, 0).dwItemData;
    EXPECT_FALSE(MenuItem::HandleOwnerWindowMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw), result));
}

TEST_F(MenuTest, CommandsReachTheClickedItem) {
    int clicks = 0;
    c->AutoCheck = true;
    c->OnClick = [&](MenuItem& sender) {
        ++clicks;
        EXPECT_EQ(&sender, c);
        EXPECT_TRUE(sender.Checked());  // toggled before OnClick runs
    };
    LRESULT result = 1;
    EXPECT_TRUE(MenuItem::HandleOwnerWindowMessage(WM_COMMAND, GetMenuItemID(menu, 2), 0, result));
    EXPECT_EQ(State(2), UINT{MFS_CHECKED});
    // Accelerator and control notifications are not menu commands.
    EXPECT_FALSE(MenuItem::HandleOwnerWindowMessage(WM_COMMAND, MAKEWPARAM(c->Command(), 1), 0, result));
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuTest, ImageIndexGivesABitmap) {
    toolkit::ImageList images;
    images.AddIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));  // IDI_APPLICATION
    root.SetImages(&images);
    EXPECT_EQ(PlatformInfo(menu, 0).hbmpItem, nullptr);
    a->SetImageIndex(0);
    EXPECT_EQ(GetObjectType(PlatformInfo(menu, 0).hbmpItem), static_cast<DWORD>(OBJ_BITMAP));
    a->SetImageIndex(5);  // beyond the list: no picture
    EXPECT_EQ(PlatformInfo(menu, 0).hbmpItem, nullptr);
    root.SetImages(nullptr);
}

TEST_F(MenuTest, TablesBuildMenusAndDisableWhatDoesNothingYet) {
    MenuItem* acts = nullptr;
    MenuItem* idle = nullptr;
    MenuItem* sub = nullptr;
    MenuItem* idleSub = nullptr;
    int opened = 0;
    toolkit::BuildMenu(root, {
        {"acts", &acts, [](MenuItem&) {}, toolkit::MenuRow::kDefault},
        {"-"},
        {"idle", &idle},
        {"sub", &sub, {}, toolkit::MenuRow::kNone, {{"x", nullptr, [](MenuItem&) {}}}, [&](MenuItem&) { ++opened; }},
        {"idle sub", &idleSub, {}, toolkit::MenuRow::kNone, {{"y"}}},
    });
    EXPECT_EQ(Captions(), "abcactsidlesubidle sub");
    EXPECT_TRUE(acts->Enabled() && acts->Default());
    EXPECT_FALSE(idle->Enabled());
    EXPECT_TRUE(sub->Enabled());
    EXPECT_FALSE(idleSub->Enabled());  // none of its items acts
    // The sub-menu's handler runs as the platform menu is about to open.
    EXPECT_EQ(MenuItem::FromHandle(sub->Handle()), sub);
    LRESULT result = 1;
    auto menu = reinterpret_cast<WPARAM>(sub->Handle());
    EXPECT_FALSE(MenuItem::HandleOwnerWindowMessage(WM_INITMENUPOPUP, menu, 0, result));  // the owner sees it too
    MenuItem::HandleOwnerWindowMessage(WM_INITMENUPOPUP, menu, MAKELPARAM(0, 1), result);  // a window menu
    EXPECT_EQ(opened, 1);
}
