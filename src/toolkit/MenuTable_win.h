#pragma once
// Menus described as tables of rows, one row per item in the order shown.
#include <initializer_list>
#include <vector>

#include "toolkit/MenuItem_win.h"

namespace toolkit {

struct MenuRow {
    enum Flags : unsigned { kNone = 0, kDefault = 1, kDisabled = 2, kChecked = 4, kAutoCheck = 8 };

    const char* caption;                  // "-" for a separator
    MenuItem** item = nullptr;            // receives the item, when the program needs it later
    MenuItem::ClickHandler onClick = {};  // an item that does nothing yet is shown disabled
    unsigned flags = kNone;
    std::vector<MenuRow> children = {};   // a sub-menu; disabled while none of its items acts
    MenuItem::PopupHandler onPopup = {};  // runs each time the sub-menu is about to open
};

// Appends the rows to `parent`, sub-menus included.
void BuildMenu(MenuItem& parent, const std::vector<MenuRow>& rows);

}  // namespace toolkit
