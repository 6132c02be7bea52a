#include "find/ClipFinder_win.h"

#include <unordered_map>

#include "clips/Clip_win.h"
#include "find/ClipMatch.h"
#include "history/History_win.h"

namespace find {

void ClipFinder::Reload() {
    std::unordered_map<const clips::TClip*, Entry*> before;
    for (Entry& entry : entries_)
        if (entry.alive.Get() == entry.clip) before[entry.clip] = &entry;
    std::vector<clips::TClip*> order = history_.Clips(history::Section::Personal);
    std::vector<clips::TClip*> clipboard = history_.Clips(history::Section::Clipboard);
    order.insert(order.end(), clipboard.rbegin(), clipboard.rend());

    std::vector<Entry> entries;
    entries.reserve(order.size());
    for (clips::TClip* clip : order) {
        uint64_t fingerprint = QuickHash(clip->FoundBy(), QuickHash(clip->Source, QuickHash(clip->Caption())));
        auto kept = before.find(clip);
        if (kept != before.end() && kept->second->fingerprint == fingerprint)
            entries.push_back(std::move(*kept->second));
        else
            entries.push_back({clip, clips::ClipRef(clip), fingerprint, {}, false});
    }
    entries_ = std::move(entries);
    found_.clear();
}

const std::string& ClipFinder::Folded(Entry& entry) {
    if (!entry.ready) {
        const clips::TClip& clip = *entry.clip;
        entry.folded = FoldedForMatching({clip.Caption(), clip.Source, clip.FoundBy()});
        entry.ready = true;
    }
    return entry.folded;
}

void ClipFinder::Filter(std::string_view typedUtf8) {
    ClipQuery query(typedUtf8);
    found_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].alive.Get() != entries_[i].clip) continue;
        if (query.Empty() || query.Matches(Folded(entries_[i]))) found_.push_back(i);
    }
}

void ClipFinder::FoldAll() {
    for (Entry& entry : entries_)
        if (entry.alive.Get() == entry.clip) Folded(entry);
}

clips::TClip* ClipFinder::FoundAt(size_t index) const {
    if (index >= found_.size()) return nullptr;
    const Entry& entry = entries_[found_[index]];
    return entry.alive.Get() == entry.clip ? entry.clip : nullptr;
}

}  // namespace find
