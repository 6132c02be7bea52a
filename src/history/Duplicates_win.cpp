// Duplicates: new data equal to a clip already in either history.
#include "clips/Clip_win.h"
#include "history/Collation_win.h"
#include "history/History_win.h"

namespace history {

clips::TClip* History::EqualClip(const clips::TClip& clip) const {
    if (!settings_.NoDuplicatedEntries) return nullptr;
    const std::string* data = clip.DuplicateData();
    if (!data) return nullptr;  // a kind never compared
    TextMatcher matcher(collation_, *data, clip.DuplicateIgnoresCase());
    return store_.FindDuplicate(clip, [&](const std::string& olderData) { return matcher.Matches(olderData); });
}

bool History::FindDuplicate(const clips::TClip& clip) {
    clips::TClip* older = EqualClip(clip);
    if (!older) return false;
    // The older entry stays where it is and stands for what is on the clipboard.
    store_.SetOnClipboard(older);
    return true;
}

}  // namespace history
