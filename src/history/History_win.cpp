#include "history/History_win.h"

#include "common/Settings.h"

namespace history {
namespace {
const char kEmptyMarker[] = "[  空  ]";

std::unique_ptr<toolkit::MenuItem> MakeMarker() {
    auto marker = std::make_unique<toolkit::MenuItem>(kEmptyMarker);
    marker->SetEnabled(false);
    return marker;
}
}  // namespace

History::History(toolkit::MenuItem& menu) : mniHistory(menu) {
    auto add = [&](std::unique_ptr<toolkit::MenuItem> item) {
        toolkit::MenuItem* raw = item.get();
        mniHistory.Add(std::move(item));
        return raw;
    };
    sepPersonalHistory = add(std::make_unique<toolkit::MenuItem>("-"));
    mniPersonalHistoryEmpty = add(MakeMarker());
    sepClipboardHistory = add(std::make_unique<toolkit::MenuItem>("-"));
    mniClipboardHistoryEmpty = add(MakeMarker());
    for (toolkit::MenuItem* header : {sepPersonalHistory, sepClipboardHistory})
        header->SetOwnerDraw(
            [this](toolkit::MenuItem& sender, HDC dc, UINT& width, UINT& height) {
                sepClipboardHistoryMeasureItem(sender, dc, width, height);
            },
            [this](toolkit::MenuItem& sender, const DRAWITEMSTRUCT& draw) { sepClipboardHistoryDrawItem(sender, draw); });
}

void History::UpdateHistory() {
    if (OnUpdateHistory) OnUpdateHistory();
    else UpdateMarkersAndTrim();
}

void History::UpdateMarkersAndTrim() {
    int s = ClipboardSeparatorIndex();
    mniPersonalHistoryEmpty->SetVisible(s == 2);
    mniClipboardHistoryEmpty->SetVisible(mniHistory.Items(mniHistory.Count() - 1) == mniClipboardHistoryEmpty);
    // A lowered limit takes effect at once: cut every clip beyond it, oldest first.
    int limit = common::settings().MaxHistorySize;
    if (limit < 1) limit = 1;  // a history that keeps nothing would drop every capture
    while (ClipboardCount() > limit) delete mniHistory.Items(s + 2);
    mniClipboardHistoryEmpty->SetVisible(ClipboardCount() == 0);
}

}  // namespace history
