// Duplicates: new data equal to a clip already in either history.
#include "clips/Clip_win.h"
#include "common/Settings.h"
#include "history/Collation_win.h"
#include "history/History_win.h"

namespace history {

bool History::FindDuplicate(const clips::TClip& clip) {
    if (!common::settings().NoDuplicatedEntries) return false;
    const std::string* data = clip.DuplicateData();
    if (!data) return false;  // a kind never compared
    TextMatcher matcher(collation_, *data, clip.DuplicateIgnoresCase());
    // Personal clips first, then the clipboard clips from the oldest.
    for (Section section : {Section::Personal, Section::Clipboard}) {
        for (clips::TClip* older : Clips(section)) {
            if (!clip.ComparedWith(older->ImageIndex())) continue;
            const std::string* olderData = older->DuplicateData();
            if (!olderData || !matcher.Matches(*olderData)) continue;
            // The older entry stays where it is and stands for what is on the clipboard.
            if (!older->Default()) older->SetDefault(true);
            return true;
        }
    }
    return false;
}

}  // namespace history
