#pragma once
// Menu items mirrored into real HMENUs at all times. An item owns its
// sub-items; destroying an item takes it out of its parent. Hidden items are
// absent from the platform menu; every other change (caption, state, icon,
// insertion, removal) reaches the platform menu at once, also while it is open.
// Captions are shown as set: no access keys, no shortcut column.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Handles_win.h"

namespace toolkit {

class ImageList;

class MenuItem {
public:
    using ClickHandler = std::function<void(MenuItem& sender)>;
    using MeasureHandler = std::function<void(MenuItem& sender, HDC dc, UINT& width, UINT& height)>;
    using DrawHandler = std::function<void(MenuItem& sender, const DRAWITEMSTRUCT& draw)>;
    using PopupHandler = std::function<void(MenuItem& sender)>;

    MenuItem();
    explicit MenuItem(std::string caption);
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    // Attributes.
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption);
    bool IsSeparator() const noexcept { return caption_ == "-"; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int index);
    // Setting the default mark clears it on every sibling.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool on);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool on);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool on);
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool on);
    // An auto-check item toggles its own check mark before OnClick runs.
    bool AutoCheck = false;
    intptr_t Tag = 0;
    ClickHandler OnClick;
    // Runs each time the sub-menu of this item is about to open.
    PopupHandler OnPopup;
    // Setting both makes the item owner-drawn.
    void SetOwnerDraw(MeasureHandler measure, DrawHandler draw);

    // The image list whose icons the sub-items show.
    void SetImages(ImageList* images);

    // Tree.
    MenuItem* Parent() const noexcept { return parent_; }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    MenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    int IndexOf(const MenuItem* item) const noexcept;
    int MenuIndex() const noexcept { return parent_ ? parent_->IndexOf(this) : -1; }
    // Takes ownership; index is clamped to 0..Count().
    void Insert(int index, std::unique_ptr<MenuItem> item);
    void Add(std::unique_ptr<MenuItem> item) { Insert(Count(), std::move(item)); }
    // Hands ownership back to the caller.
    std::unique_ptr<MenuItem> Remove(MenuItem* item);
    // The first item below this one, depth first, whose caption is exactly `caption`, or null.
    MenuItem* Find(std::string_view caption) const;
    // Moves this item to another index of its parent.
    void SetMenuIndex(int index);

    // The platform menu of the sub-items (made on first use).
    HMENU Handle();
    // Position of this item in the parent's platform menu (visible items only), -1 when hidden.
    int PlatformIndex() const noexcept;
    // The sub-item the platform menu shows at `position`, or null (also for -1, the platform's "none").
    MenuItem* ItemAtPlatformIndex(int position) const noexcept;
    UINT Command() const noexcept { return command_; }

    // Runs the click: toggles an auto-check item, then OnClick.
    void Click();

    // Dispatch from the owner window of the platform menus.
    static MenuItem* FromCommand(UINT command) noexcept;
    // The item whose sub-menu is `menu`, or null.
    static MenuItem* FromHandle(HMENU menu) noexcept;
    // Returns true when the message was a menu message that this layer handled.
    static bool HandleOwnerWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void FillInfo(MENUITEMINFOW& info, std::wstring& text) const;
    void PlatformInsert();
    void PlatformRemove();
    void PlatformUpdate();

    std::string caption_;
    int imageIndex_ = -1;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    MeasureHandler onMeasure_;
    DrawHandler onDraw_;
    ImageList* images_ = nullptr;

    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;  // owned
    UniqueMenu handle_;
    UINT command_ = 0;
};

}  // namespace toolkit
