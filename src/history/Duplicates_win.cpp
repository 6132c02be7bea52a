// Duplicates: new data equal to a clip already in either history.
#include "clips/Clip_win.h"
#include "history/Collation_win.h"
#include "history/History_win.h"

namespace history {

bool History::FindDuplicate(const clips::TClip& clip) {
    if (!settings_.NoDuplicatedEntries) return false;
    const std::string* data = clip.DuplicateData();
    if (!data) return false;  // a kind never compared
    TextMatcher matcher(collation_, *data, clip.DuplicateIgnoresCase());
    clips::TClip* older =
        store_.FindDuplicate(clip, [&](const std::string& olderData) { return matcher.Matches(olderData); });
    if (!older) return false;
    // The older entry stays where it is and stands for what is on the clipboard.
    store_.SetOnClipboard(older);
    return true;
}

}  // namespace history
