#include "history/HistoryMenu_win.h"

#include <algorithm>
#include <unordered_set>

#include "history/SectionHeaders_win.h"

namespace history {
namespace {
const char kEmptyMarker[] = "[  空  ]";
const char kPersonalLabel[] = " 个人历史纪录 ";
const char kClipboardLabel[] = " 剪贴板历史纪录 ";

std::unique_ptr<toolkit::MenuItem> MakeMarker() {
    auto marker = std::make_unique<toolkit::MenuItem>(kEmptyMarker);
    marker->SetEnabled(false);
    return marker;
}

std::unique_ptr<toolkit::MenuItem> MakeHeader(std::string_view label) {
    auto header = std::make_unique<toolkit::MenuItem>("-");
    header->SetOwnerDraw([label](toolkit::MenuItem&, HDC dc, UINT& width,
                                 UINT& height) { MeasureSectionHeader(label, dc, width, height); },
                         [label](toolkit::MenuItem&, const DRAWITEMSTRUCT& draw) { DrawSectionHeader(label, draw); });
    return header;
}

// Shows the clip's caption, kind and mark, touching the platform menu only for what differs.
void Show(toolkit::MenuItem& item, const clips::TClip& clip, bool onClipboard) {
    if (item.Caption() != clip.Caption()) item.SetCaption(clip.Caption());
    if (item.ImageIndex() != clip.Kind()) item.SetImageIndex(clip.Kind());
    if (item.Default() != onClipboard) item.SetDefault(onClipboard);
}
}  // namespace

HistoryMenu::HistoryMenu(toolkit::MenuItem& menu) : mniHistory(menu) {
    auto add = [&](std::unique_ptr<toolkit::MenuItem> item) {
        toolkit::MenuItem* raw = item.get();
        mniHistory.Add(std::move(item));
        return raw;
    };
    sepPersonalHistory = add(MakeHeader(kPersonalLabel));
    mniPersonalHistoryEmpty = add(MakeMarker());
    sepClipboardHistory = add(MakeHeader(kClipboardLabel));
    mniClipboardHistoryEmpty = add(MakeMarker());
}

std::unique_ptr<toolkit::MenuItem> HistoryMenu::NewEntry() {
    auto entry = std::make_unique<toolkit::MenuItem>();
    entry->OnClick = [this](toolkit::MenuItem& sender) {
        clips::TClip* clip = ClipOf(&sender);
        if (clip && OnPick) OnPick(*clip);
    };
    return entry;
}

void HistoryMenu::Sync(const ClipStore& store) {
    SyncSection(personal_, store.Clips(Section::Personal), mniPersonalHistoryEmpty->MenuIndex() + 1,
                store.OnClipboard());
    SyncSection(clipboard_, store.Clips(Section::Clipboard), mniClipboardHistoryEmpty->MenuIndex() + 1,
                store.OnClipboard());
    mniPersonalHistoryEmpty->SetVisible(personal_.empty());
    mniClipboardHistoryEmpty->SetVisible(clipboard_.empty());
}

void HistoryMenu::SyncSection(Rows& rows, const std::vector<clips::TClip*>& clips, int first,
                              const clips::TClip* onClipboard) {
    // Entries of clips that left the section go first, then each clip in turn
    // keeps, moves to or gets its entry: an append or a trim touches one entry.
    std::unordered_set<const clips::TClip*> wanted(clips.begin(), clips.end());
    for (auto row = rows.begin(); row != rows.end();) {
        if (wanted.count(row->clip)) {
            ++row;
            continue;
        }
        delete row->item;  // takes itself out of the menu
        row = rows.erase(row);
    }
    for (size_t i = 0; i < clips.size(); ++i) {
        if (i >= rows.size() || rows[i].clip != clips[i]) {
            auto found = std::find_if(rows.begin() + static_cast<ptrdiff_t>(i), rows.end(),
                                      [&](const Row& row) { return row.clip == clips[i]; });
            if (found != rows.end()) {
                Row moved = *found;
                rows.erase(found);
                rows.insert(rows.begin() + static_cast<ptrdiff_t>(i), moved);
                moved.item->SetMenuIndex(first + static_cast<int>(i));
            } else {
                std::unique_ptr<toolkit::MenuItem> entry = NewEntry();
                toolkit::MenuItem* raw = entry.get();
                Show(*raw, *clips[i], clips[i] == onClipboard);
                mniHistory.Insert(first + static_cast<int>(i), std::move(entry));
                rows.insert(rows.begin() + static_cast<ptrdiff_t>(i), Row{clips[i], raw});
                continue;
            }
        }
        Show(*rows[i].item, *clips[i], clips[i] == onClipboard);
    }
}

clips::TClip* HistoryMenu::ClipOf(const toolkit::MenuItem* item) const {
    if (!item || item->Parent() != &mniHistory) return nullptr;
    for (const Rows* rows : {&personal_, &clipboard_})
        for (const Row& row : *rows)
            if (row.item == item) return row.clip;
    return nullptr;
}

clips::TClip* HistoryMenu::ClipAtIndex(int index) const {
    if (index < 0 || index >= mniHistory.Count()) return nullptr;
    return ClipOf(mniHistory.Items(index));
}

clips::TClip* HistoryMenu::ClipAtPlatformPosition(int position) const {
    return ClipOf(mniHistory.ItemAtPlatformIndex(position));
}

toolkit::MenuItem* HistoryMenu::ItemOf(const clips::TClip& clip) const {
    for (const Rows* rows : {&personal_, &clipboard_})
        for (const Row& row : *rows)
            if (row.clip == &clip) return row.item;
    return nullptr;
}

int HistoryMenu::IndexOf(const clips::TClip& clip) const {
    toolkit::MenuItem* item = ItemOf(clip);
    return item ? item->MenuIndex() : -1;
}

}  // namespace history
