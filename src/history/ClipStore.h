#pragma once
// The two histories as data: the personal clips and the clipboard clips
// (oldest first), which clip is on the clipboard, the limit of the clipboard
// history and the duplicate rule. Every change goes through here and is told
// afterwards (OnChanged), so the menus and windows that show the clips are
// views that follow the store. Needs no platform call.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clips/Clip.h"

namespace history {

enum class Section { Personal, Clipboard };

class ClipStore {
public:
    // The sections. Their clips in order (the clipboard's oldest first).
    int Count(Section section) const { return static_cast<int>(List(section).size()); }
    std::vector<clips::TClip*> Clips(Section section) const;
    // Whether `clip` is one of the store's (a pointer to a destroyed clip is not).
    bool Contains(const clips::TClip* clip) const;
    // The section of a clip of the store.
    Section SectionOf(const clips::TClip& clip) const;
    // The clip a reference names while it is alive and in the store, or null.
    clips::TClip* Resolve(const clips::ClipRef& ref) const;

    // The clip whose content the clipboard holds, as far as we know: null when
    // none does (emptied, private content, another copy of ours).
    clips::TClip* OnClipboard() const noexcept { return onClipboard_; }
    bool IsOnClipboard(const clips::TClip& clip) const noexcept { return onClipboard_ == &clip; }
    void SetOnClipboard(clips::TClip* clip);

    // The most clipboard clips kept (at least 1: a history that keeps nothing
    // would drop every capture). A lowered limit trims at once, oldest first.
    int Limit() const noexcept { return limit_; }
    void SetLimit(int limit);

    // The changes. Each ends with OnChanged, and a change of what the personal
    // history keeps with OnPersonalChanged.
    // A new clip, the newest of the clipboard history and on the clipboard.
    clips::TClip& Append(std::unique_ptr<clips::TClip> clip);
    // A clip read from the personal history file, the last personal clip; not
    // told as a personal change (the file already holds it).
    clips::TClip& AppendLoaded(std::unique_ptr<clips::TClip> clip);
    // A clip brought back from the archive: the newest of the clipboard
    // history, not on the clipboard.
    clips::TClip& AppendRestored(std::unique_ptr<clips::TClip> clip);
    // Clips of a personal history file read late, before the personal clips
    // added meanwhile; told as a personal change (the file lacks those).
    void PrependLoaded(std::vector<std::unique_ptr<clips::TClip>> clips);
    // To the end of `section`: the last personal clip, or the newest clipboard clip.
    void MoveTo(clips::TClip& clip, Section section);
    // Destroys the clip (the clipboard keeps what it holds).
    void Remove(clips::TClip& clip);
    void Empty(Section section);
    void Rename(clips::TClip& clip, std::string caption);
    void SetUndoAvailable(clips::TClip& clip, bool available);
    // A clip's content changed in place (a transformation, an undo).
    void ContentChanged(clips::TClip& clip);

    // The duplicate rule: the first clip, personal ones first and then the
    // clipboard's from the oldest, that `clip` is compared with and whose
    // data `equal` accepts; null when none.
    using DataEqual = std::function<bool(const std::string& olderData)>;
    clips::TClip* FindDuplicate(const clips::TClip& clip, const DataEqual& equal) const;

    std::function<void()> OnChanged;
    std::function<void()> OnPersonalChanged;

private:
    using ClipList = std::vector<std::unique_ptr<clips::TClip>>;
    ClipList& List(Section section) { return section == Section::Personal ? personal_ : clipboard_; }
    const ClipList& List(Section section) const { return section == Section::Personal ? personal_ : clipboard_; }
    // Takes a clip of the store out of its list, handing it back.
    std::unique_ptr<clips::TClip> Take(clips::TClip& clip);
    void Trim();
    void Changed(bool personal);

    ClipList personal_, clipboard_;
    clips::TClip* onClipboard_ = nullptr;
    int limit_ = 1;
};

}  // namespace history
