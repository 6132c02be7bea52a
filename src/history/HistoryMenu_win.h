#pragma once
// The history menu as a view of the clip store:
//   sepPersonalHistory, mniPersonalHistoryEmpty, the personal clips,
//   sepClipboardHistory, mniClipboardHistoryEmpty, the clipboard clips (oldest first).
// Sync brings the menu to what the store holds after each change, touching
// only the entries that differ, so the menu is ready whenever it opens and an
// open menu shows a change at once. The view knows which entry shows which
// clip; nothing else knows that layout.
#include <functional>
#include <vector>

#include "history/ClipStore.h"
#include "toolkit/MenuItem_win.h"

namespace history {

class HistoryMenu {
public:
    // Fills `menu` (empty) with the two headers and the two "empty" markers.
    explicit HistoryMenu(toolkit::MenuItem& menu);
    HistoryMenu(const HistoryMenu&) = delete;
    HistoryMenu& operator=(const HistoryMenu&) = delete;

    toolkit::MenuItem& mniHistory;
    toolkit::MenuItem* sepPersonalHistory;
    toolkit::MenuItem* mniPersonalHistoryEmpty;
    toolkit::MenuItem* sepClipboardHistory;
    toolkit::MenuItem* mniClipboardHistoryEmpty;

    // What picking a clip's entry does.
    std::function<void(clips::TClip& clip)> OnPick;

    void Sync(const ClipStore& store);

    // The clip an entry shows; null for a header, a marker or an item elsewhere.
    clips::TClip* ClipOf(const toolkit::MenuItem* item) const;
    // The clip at an index of mniHistory, or null.
    clips::TClip* ClipAtIndex(int index) const;
    // The clip shown at a position of the platform menu (the item under a
    // right-click), or null (also for -1, the platform's "none").
    clips::TClip* ClipAtPlatformPosition(int position) const;
    // The index in mniHistory of the entry showing `clip`, or -1.
    int IndexOf(const clips::TClip& clip) const;
    // The entry showing `clip`, or null.
    toolkit::MenuItem* ItemOf(const clips::TClip& clip) const;

private:
    struct Row {
        clips::TClip* clip;
        toolkit::MenuItem* item;  // owned by mniHistory
    };
    using Rows = std::vector<Row>;
    Rows& RowsOf(Section section) { return section == Section::Personal ? personal_ : clipboard_; }
    void SyncSection(Rows& rows, const std::vector<clips::TClip*>& clips, int first, const clips::TClip* onClipboard);
    std::unique_ptr<toolkit::MenuItem> NewEntry();

    Rows personal_, clipboard_;
};

}  // namespace history
