#include "toolkit/MenuTable_win.h"

#include <memory>

namespace toolkit {
namespace {
bool AnyItemActs(const MenuItem& menu) {
    for (int i = 0; i < menu.Count(); ++i)
        if (!menu.Items(i)->IsSeparator() && menu.Items(i)->Enabled()) return true;
    return false;
}
}  // namespace

void BuildMenu(MenuItem& parent, const std::vector<MenuRow>& rows) {
    for (const MenuRow& row : rows) {
        auto owned = std::make_unique<MenuItem>(row.caption);
        MenuItem* item = owned.get();
        parent.Add(std::move(owned));
        if (row.item) *row.item = item;
        item->OnClick = row.onClick;
        item->OnPopup = row.onPopup;
        item->AutoCheck = (row.flags & MenuRow::kAutoCheck) != 0;
        if (row.flags & MenuRow::kChecked) item->SetChecked(true);
        if (row.flags & MenuRow::kDefault) item->SetDefault(true);
        BuildMenu(*item, row.children);
        bool doesNothing = !item->IsSeparator() && (row.children.empty() ? !row.onClick : !AnyItemActs(*item));
        if ((row.flags & MenuRow::kDisabled) || doesNothing) item->SetEnabled(false);
    }
}

}  // namespace toolkit
