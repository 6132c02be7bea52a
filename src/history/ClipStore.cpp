#include "history/ClipStore.h"

#include <algorithm>

namespace history {
namespace {
using ClipList = std::vector<std::unique_ptr<clips::TClip>>;

ClipList::const_iterator Find(const ClipList& list, const clips::TClip* clip) {
    return std::find_if(list.begin(), list.end(), [&](const auto& held) { return held.get() == clip; });
}
}  // namespace

std::vector<clips::TClip*> ClipStore::Clips(Section section) const {
    std::vector<clips::TClip*> clips;
    clips.reserve(List(section).size());
    for (const auto& clip : List(section)) clips.push_back(clip.get());
    return clips;
}

bool ClipStore::Contains(const clips::TClip* clip) const {
    return clip && (Find(personal_, clip) != personal_.end() || Find(clipboard_, clip) != clipboard_.end());
}

Section ClipStore::SectionOf(const clips::TClip& clip) const {
    return Find(personal_, &clip) != personal_.end() ? Section::Personal : Section::Clipboard;
}

clips::TClip* ClipStore::Resolve(const clips::ClipRef& ref) const {
    clips::TClip* clip = ref.Get();
    return Contains(clip) ? clip : nullptr;
}

void ClipStore::SetOnClipboard(clips::TClip* clip) {
    if (clip == onClipboard_) return;
    onClipboard_ = clip;
    Changed(false);
}

void ClipStore::SetLimit(int limit) {
    limit_ = std::max(limit, 1);
    if (Count(Section::Clipboard) <= limit_) return;
    Trim();
    Changed(false);
}

void ClipStore::Trim() {
    auto excess = static_cast<ptrdiff_t>(clipboard_.size()) - limit_;
    if (excess <= 0) return;
    auto end = clipboard_.begin() + excess;
    if (std::any_of(clipboard_.begin(), end, [&](const auto& clip) { return clip.get() == onClipboard_; }))
        onClipboard_ = nullptr;
    clipboard_.erase(clipboard_.begin(), end);
}

clips::TClip& ClipStore::Append(std::unique_ptr<clips::TClip> clip) {
    clips::TClip& appended = *clip;
    clipboard_.push_back(std::move(clip));
    onClipboard_ = &appended;
    Trim();
    Changed(false);
    return appended;
}

clips::TClip& ClipStore::AppendLoaded(std::unique_ptr<clips::TClip> clip) {
    clips::TClip& appended = *clip;
    personal_.push_back(std::move(clip));
    Changed(false);
    return appended;
}

clips::TClip& ClipStore::AppendRestored(std::unique_ptr<clips::TClip> clip) {
    clips::TClip& appended = *clip;
    clipboard_.push_back(std::move(clip));
    Trim();
    Changed(false);
    return appended;
}

void ClipStore::PrependLoaded(std::vector<std::unique_ptr<clips::TClip>> clips) {
    if (clips.empty()) return;
    personal_.insert(personal_.begin(), std::make_move_iterator(clips.begin()), std::make_move_iterator(clips.end()));
    Changed(true);
}

std::unique_ptr<clips::TClip> ClipStore::Take(clips::TClip& clip) {
    ClipList& list = List(SectionOf(clip));
    auto at = list.begin() + (Find(list, &clip) - list.begin());
    std::unique_ptr<clips::TClip> taken = std::move(*at);
    list.erase(at);
    return taken;
}

void ClipStore::MoveTo(clips::TClip& clip, Section section) {
    if (!Contains(&clip)) return;
    List(section).push_back(Take(clip));
    Trim();  // a clip moved into a full clipboard history pushes out its oldest
    Changed(true);  // one section or the other: the personal one changed
}

void ClipStore::Remove(clips::TClip& clip) {
    if (!Contains(&clip)) return;
    bool personal = SectionOf(clip) == Section::Personal;
    if (onClipboard_ == &clip) onClipboard_ = nullptr;
    Take(clip).reset();
    Changed(personal);
}

void ClipStore::Empty(Section section) {
    ClipList& list = List(section);
    if (Find(list, onClipboard_) != list.end()) onClipboard_ = nullptr;
    list.clear();
    Changed(section == Section::Personal);
}

void ClipStore::Rename(clips::TClip& clip, std::string caption) {
    if (!Contains(&clip)) return;
    clip.SetCaption(std::move(caption));
    Changed(SectionOf(clip) == Section::Personal);
}

void ClipStore::SetUndoAvailable(clips::TClip& clip, bool available) {
    if (!Contains(&clip)) return;
    clip.UndoAvailable = available;
    Changed(SectionOf(clip) == Section::Personal);
}

void ClipStore::ContentChanged(clips::TClip& clip) {
    if (!Contains(&clip)) return;
    Changed(SectionOf(clip) == Section::Personal);
}

clips::TClip* ClipStore::FindDuplicate(const clips::TClip& clip, const DataEqual& equal) const {
    if (!clip.DuplicateData()) return nullptr;  // a kind never compared
    for (const ClipList* list : {&personal_, &clipboard_}) {
        for (const auto& older : *list) {
            if (older.get() == &clip || !clip.ComparedWith(older->Kind())) continue;
            const std::string* olderData = older->DuplicateData();
            if (olderData && equal(*olderData)) return older.get();
        }
    }
    return nullptr;
}

void ClipStore::Changed(bool personal) {
    if (OnChanged) OnChanged();
    if (personal && OnPersonalChanged) OnPersonalChanged();
}

}  // namespace history
