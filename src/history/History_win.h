#pragma once
// The two histories, held as the items of the history menu:
//   sepPersonalHistory, mniPersonalHistoryEmpty, the personal clips,
//   sepClipboardHistory, mniClipboardHistoryEmpty, the clipboard clips (oldest first).
// Counts and positions are always derived from the index of sepClipboardHistory.
#include <functional>
#include <string_view>

#include "toolkit/MenuItem_win.h"

namespace history {

class History {
public:
    // Fills `menu` (empty) with the two headers and the two "empty" markers.
    explicit History(toolkit::MenuItem& menu);

    toolkit::MenuItem& mniHistory;
    toolkit::MenuItem* sepPersonalHistory;
    toolkit::MenuItem* mniPersonalHistoryEmpty;
    toolkit::MenuItem* sepClipboardHistory;
    toolkit::MenuItem* mniClipboardHistoryEmpty;

    // Runs after every change of the lists; the main form adds the tray tip.
    // Unset, it runs the markers-and-trimming steps alone.
    std::function<void()> OnUpdateHistory;
    void UpdateHistory();

    int ClipboardSeparatorIndex() const { return sepClipboardHistory->MenuIndex(); }
    int PersonalCount() const { return ClipboardSeparatorIndex() - 2; }
    int ClipboardCount() const { return mniHistory.Count() - ClipboardSeparatorIndex() - 2; }

    // Markers follow the lists; the clipboard history is cut to MaxHistorySize.
    void UpdateMarkersAndTrim();
};

}  // namespace history
