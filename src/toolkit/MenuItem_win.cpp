#include "toolkit/MenuItem_win.h"

#include <algorithm>
#include <unordered_map>

#include "toolkit/Dpi_win.h"
#include "common/Wide_win.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/MenuCaption.h"

namespace toolkit {
namespace {

// Command identifiers are 16-bit in WM_COMMAND; each live item holds one.
std::unordered_map<UINT, MenuItem*>& Commands() {
    static std::unordered_map<UINT, MenuItem*> commands;
    return commands;
}

UINT AllocateCommand(MenuItem* item) {
    static UINT next = 100;
    auto& commands = Commands();
    for (;;) {
        UINT id = next;
        next = next >= 0xEFFF ? 100 : next + 1;
        if (commands.emplace(id, item).second) return id;
    }
}

}  // namespace

MenuItem::MenuItem() : command_(AllocateCommand(this)) {}

MenuItem::MenuItem(std::string caption) : MenuItem() { caption_ = std::move(caption); }

MenuItem::~MenuItem() {
    while (!items_.empty()) delete items_.back();  // each one detaches itself
    if (parent_) parent_->Remove(this).release();
    Commands().erase(command_);
}

int MenuItem::IndexOf(const MenuItem* item) const noexcept {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void MenuItem::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    PlatformUpdate();
}

void MenuItem::SetImageIndex(int index) {
    imageIndex_ = index;
    PlatformUpdate();
}

void MenuItem::SetDefault(bool on) {
    if (on && parent_) {
        for (MenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->default_) {
                sibling->default_ = false;
                sibling->PlatformUpdate();
            }
    }
    default_ = on;
    PlatformUpdate();
}

void MenuItem::SetEnabled(bool on) {
    enabled_ = on;
    PlatformUpdate();
}

void MenuItem::SetChecked(bool on) {
    checked_ = on;
    PlatformUpdate();
}

void MenuItem::SetVisible(bool on) {
    if (on == visible_) return;
    if (!on) PlatformRemove();
    visible_ = on;
    if (on) PlatformInsert();
}

void MenuItem::SetOwnerDraw(MeasureHandler measure, DrawHandler draw) {
    onMeasure_ = std::move(measure);
    onDraw_ = std::move(draw);
    PlatformUpdate();
}

void MenuItem::SetImages(ImageList* images) {
    images_ = images;
    for (MenuItem* item : items_) item->PlatformUpdate();
}

void MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
    if (!item) return;
    index = std::clamp(index, 0, Count());
    MenuItem* raw = item.release();
    raw->parent_ = this;
    items_.insert(items_.begin() + index, raw);
    raw->PlatformInsert();
}

std::unique_ptr<MenuItem> MenuItem::Remove(MenuItem* item) {
    int index = IndexOf(item);
    if (index < 0) return nullptr;
    item->PlatformRemove();
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    return std::unique_ptr<MenuItem>(item);
}

MenuItem* MenuItem::Find(std::string_view caption) const {
    for (MenuItem* item : items_) {
        if (item->caption_ == caption) return item;
        if (MenuItem* below = item->Find(caption)) return below;
    }
    return nullptr;
}

void MenuItem::SetMenuIndex(int index) {
    if (!parent_) return;
    MenuItem* parent = parent_;
    auto self = parent->Remove(this);
    parent->Insert(index, std::move(self));
}

HMENU MenuItem::Handle() {
    if (!handle_) {
        handle_.reset(CreatePopupMenu());
        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
        SetMenuInfo(handle_.get(), &info);
        // Menu notifications then carry positions, and WM_MENUCOMMAND is not used.
        PlatformUpdate();  // the parent's entry now points at the new sub-menu
    }
    return handle_.get();
}

int MenuItem::PlatformIndex() const noexcept {
    if (!parent_ || !visible_) return -1;
    int position = 0;
    for (MenuItem* sibling : parent_->items_) {
        if (sibling == this) return position;
        if (sibling->visible_) ++position;
    }
    return -1;
}

MenuItem* MenuItem::ItemAtPlatformIndex(int position) const noexcept {
    if (position < 0) return nullptr;
    for (MenuItem* item : items_)
        if (item->visible_ && position-- == 0) return item;
    return nullptr;
}

void MenuItem::FillInfo(MENUITEMINFOW& info, std::wstring& text) const {
    info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
    info.wID = command_;
    info.hSubMenu = handle_.get();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.fState = (default_ ? MFS_DEFAULT : 0u) | (enabled_ ? 0u : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0u);
    if (onDraw_) {
        info.fType = MFT_OWNERDRAW | (IsSeparator() ? MFT_SEPARATOR : 0u);
    } else if (IsSeparator()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fType = MFT_STRING;
        info.fMask |= MIIM_STRING;
        text = common::Wide(PlatformMenuCaption(caption_));
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    ImageList* images = parent_ ? parent_->images_ : nullptr;
    info.hbmpItem = (images && imageIndex_ >= 0) ? images->MenuBitmap(imageIndex_) : nullptr;
}

void MenuItem::PlatformInsert() {
    if (!parent_ || !visible_) return;
    std::wstring text;
    MENUITEMINFOW info;
    FillInfo(info, text);
    InsertMenuItemW(parent_->Handle(), static_cast<UINT>(PlatformIndex()), TRUE, &info);
}

void MenuItem::PlatformRemove() {
    if (!parent_ || !visible_ || !parent_->handle_) return;
    // RemoveMenu leaves our sub-menu alive: we own it.
    RemoveMenu(parent_->handle_.get(), static_cast<UINT>(PlatformIndex()), MF_BYPOSITION);
}

void MenuItem::PlatformUpdate() {
    if (!parent_ || !visible_ || !parent_->handle_) return;
    std::wstring text;
    MENUITEMINFOW info;
    FillInfo(info, text);
    SetMenuItemInfoW(parent_->handle_.get(), static_cast<UINT>(PlatformIndex()), TRUE, &info);
}

void MenuItem::Click() {
    if (AutoCheck) SetChecked(!checked_);
    if (OnClick) OnClick(*this);
}

MenuItem* MenuItem::FromCommand(UINT command) noexcept {
    auto& commands = Commands();
    auto it = commands.find(command);
    return it == commands.end() ? nullptr : it->second;
}

MenuItem* MenuItem::FromHandle(HMENU menu) noexcept {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_MENUDATA;
    if (!menu || !GetMenuInfo(menu, &info)) return nullptr;
    auto* item = reinterpret_cast<MenuItem*>(info.dwMenuData);
    return item && item->handle_.get() == menu ? item : nullptr;
}

bool MenuItem::HandleOwnerWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {
            if (MenuItem* item = FromCommand(LOWORD(wParam))) {
                item->Click();
                result = 0;
                return true;
            }
        }
        return false;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<MenuItem*>(measure->itemData);
        if (!item || !item->onMeasure_) return false;
        // The font the platform draws menus with, at the DPI where menus open: the pointer's.
        WindowDC dc(nullptr);
        UINT dpi = DpiAtPointer();
        ScaledFont font(SystemFontAt(SystemFont::Menu, dpi), dpi);
        SelectedObject selected(dc.get(), font ? font.get() : GetStockObject(SYSTEM_FONT));
        item->onMeasure_(*item, dc.get(), measure->itemWidth, measure->itemHeight);
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<MenuItem*>(draw->itemData);
        if (!item || !item->onDraw_) return false;
        item->onDraw_(*item, *draw);
        result = TRUE;
        return true;
    }
    case WM_INITMENUPOPUP: {
        // The window menu excepted; the owner may want the message too.
        MenuItem* item = HIWORD(lParam) == 0 ? FromHandle(reinterpret_cast<HMENU>(wParam)) : nullptr;
        if (item && item->OnPopup) item->OnPopup(*item);
        return false;
    }
    default:
        return false;
    }
}

}  // namespace toolkit
