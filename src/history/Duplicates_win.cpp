// Duplicates: new data equal to a clip already in either history.
#include "clips/ClipText_win.h"
#include "common/Settings.h"
#include "history/Collation_win.h"
#include "history/History_win.h"

namespace history {
namespace {

// Whether an item of kind `itemKind` is compared with new data of `kind`.
bool KindsCompared(int kind, int itemKind) {
    if (kind == clips::kPlainText) return itemKind == clips::kPlainText || itemKind == clips::kLinkText;
    return itemKind == kind;
}

}  // namespace

bool History::FindDuplicate(const std::string& data, int kind) {
    if (!common::settings().NoDuplicatedEntries) return false;
    if (kind != clips::kPlainText && kind != clips::kRichText && kind != clips::kHtml && kind != clips::kFileList)
        return false;
    bool ignoreCase = kind == clips::kFileList;  // paths name the same files in any letter case
    TextMatcher matcher(collation_, data, ignoreCase);
    // Personal clips first, then the clipboard clips from the oldest.
    for (int i = 1; i < mniHistory.Count(); ++i) {
        toolkit::MenuItem* item = mniHistory.Items(i);
        if (!KindsCompared(kind, item->ImageIndex())) continue;
        auto* clip = dynamic_cast<clips::TClip*>(item);
        const std::string* itemData = clip ? clip->DuplicateData() : nullptr;
        if (!itemData || !matcher.Matches(*itemData)) continue;
        // The older entry stays where it is and stands for what is on the clipboard.
        if (!item->Default()) item->SetDefault(true);
        return true;
    }
    return false;
}

}  // namespace history
