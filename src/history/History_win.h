#pragma once
// The two histories: the clip store that holds them and the history menu that
// shows them, with what the program does to them (capture, pick, the pop-up's
// editing, the text transformations). Every change goes through the store;
// the menu and the other views follow it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/Settings.h"
#include "history/ClipStore.h"
#include "history/Collation_win.h"
#include "history/HistoryMenu_win.h"
#include "history/TextTransform.h"
#include "toolkit/MenuItem_win.h"

namespace archive {
class ArchiveWorker;
}
namespace clips {
class TClipText;
struct CapturedClip;
}  // namespace clips

namespace history {

class History {
public:
    // Fills `menu` (empty) with the view of the histories. `settings` (the
    // limit, duplicates, confirmations, caption length) is read as it is at
    // each use: it must outlive the history.
    History(toolkit::MenuItem& menu, const common::Settings& settings);

    ClipStore& Store() noexcept { return store_; }
    const ClipStore& Store() const noexcept { return store_; }
    HistoryMenu& Menu() noexcept { return menu_; }
    const HistoryMenu& Menu() const noexcept { return menu_; }

    // Runs after every change of the histories, once the menu shows it; the
    // main form refreshes the find window and the tray tip.
    std::function<void()> OnHistoryChanged;
    // Takes the limit of the settings it was handed (a lowered one trims at once) and shows the histories again.
    void UpdateHistory();
    // Runs after every change of what the personal history keeps: a clip
    // added, removed, renamed, deleted, transformed or undone, the section
    // emptied. The main form saves the personal history soon after.
    std::function<void()> OnPersonalHistoryChanged;

    // The sections. Their clips in order (the clipboard's oldest first).
    int Count(Section section) const { return store_.Count(section); }
    int PersonalCount() const { return Count(Section::Personal); }
    int ClipboardCount() const { return Count(Section::Clipboard); }
    std::vector<clips::TClip*> Clips(Section section) const { return store_.Clips(section); }
    Section SectionOf(const clips::TClip& clip) const { return store_.SectionOf(clip); }
    bool IsOnClipboard(const clips::TClip& clip) const { return store_.IsOnClipboard(clip); }
    // The clip an entry of the history menu shows, or null.
    clips::TClip* ClipOf(const toolkit::MenuItem* item) const { return menu_.ClipOf(item); }
    clips::TClip* ClipAtPlatformPosition(int position) const { return menu_.ClipAtPlatformPosition(position); }

    // The changes of the sections.
    // A captured clip: named by its kind, stamped, appended to the clipboard
    // history and on the clipboard.
    void Append(std::unique_ptr<clips::TClip> clip);
    // A clip read from the personal history file, appended to the personal
    // history; nothing is stamped again.
    void AppendLoaded(std::unique_ptr<clips::TClip> clip);
    // To the end of `section`.
    void MoveTo(clips::TClip& clip, Section section) { store_.MoveTo(clip, section); }
    // Destroys the clip (the clipboard keeps what it holds).
    void Remove(clips::TClip& clip) { store_.Remove(clip); }
    void Empty(Section section) { store_.Empty(section); }

    // The archive (Archiving_win.cpp): every clip the clipboard history
    // receives is also kept in the archive `archive` writes (null: none; it
    // must outlive its use here), under ids from `nextId` on. Renaming and
    // transforming store the clip again in place of its older form; deleting
    // and emptying delete from the archive too; trimming does not.
    void SetArchive(archive::ArchiveWorker* archive, int64_t nextId);
    bool Archiving() const noexcept { return archive_ != nullptr; }
    // A clip of the archive filling the clipboard history at start-up: the
    // newest clipboard clip, not on the clipboard, not stored again.
    void AppendRestored(std::unique_ptr<clips::TClip> clip);
    // An archived clip picked in the find window: the clip that then stands
    // for it (an equal one already in the history, else this one as the
    // newest clipboard clip), stored again as the newest copy.
    clips::TClip& BringBack(std::unique_ptr<clips::TClip> clip);
    // Deletes these ids from the archive (a clip that is only there).
    void DeleteArchived(std::vector<int64_t> ids);

    // Capture (Capture_win.cpp): run after one or more clipboard changes. Reads
    // the clipboard as it is now, once, in one session: ignores our own writes
    // and a change already captured, forgets the mark when the clipboard was
    // emptied, keeps nothing of content marked private, else makes the clips
    // of the formats offered: one text kind, then image, file list and sound.
    // False when another program held the clipboard all along (nothing read).
    bool ClipboardChanged();
    // With duplicates refused: true when a clip that `clip` is compared with
    // holds equal data; that clip is then the one on the clipboard.
    bool FindDuplicate(const clips::TClip& clip);
    // With duplicates refused: whether a clip `clip` is compared with holds equal data (nothing is marked).
    bool HoldsEqual(const clips::TClip& clip) const { return EqualClip(clip) != nullptr; }
    // The click action of every clip: puts it back on the clipboard and makes
    // it the one on the clipboard. Nothing is written when the clipboard still
    // holds it (no other copy since, also while nobody watches). True when the
    // clipboard holds the clip afterwards; false when the write failed (told).
    bool ClipClick(clips::TClip& clip);
    // What picking a clip in the history menu does; unset, ClipClick. The main
    // form adds the plain copy of Shift and the paste.
    std::function<void(clips::TClip& clip)> OnPick;
    // "复制为纯文本": the plain text of a rich clip alone (Unicode and ANSI) on the
    // clipboard. The clip is left as it is, and no clip is on the clipboard
    // any more: it holds what none of them holds. Nothing for other kinds.
    // True when the text was written.
    bool CopyAsPlainText(const clips::TClip& clip);

    // Editing (Editing_win.cpp). Each acts on the clip `clip` refers to; a clip
    // destroyed before the command gets to it (trimmed by a capture while a
    // question was open) is left alone. The ones that move or destroy clips end
    // the open menus first.
    void RenameClip(clips::ClipRef clip);
    void DeleteClip(clips::ClipRef clip);
    void EmptySectionOf(clips::ClipRef clip);
    void AddToPersonalHistory(clips::ClipRef clip);
    void RemoveFromPersonalHistory(clips::ClipRef clip);

    // The text transformations of a plain-text clip (Transform_win.cpp). The first
    // since capture or undo keeps the text in Backup; each makes it undoable.
    // The clip that is on the clipboard is written there again, as our own write.
    void TransformClip(clips::TClipText& clip, Transformation how);
    // The text from before the first transformation comes back and the undo mark
    // goes; the clip that is on the clipboard is written there again.
    void UndoTransformation(clips::TClipText& clip);

    // No clip is on the clipboard any more.
    void ClearDefaultMark() { store_.SetOnClipboard(nullptr); }

    // Runs `body`; an error is shown as what it is (the platform's text for
    // its code, our own text, or out of memory) and the caller goes on.
    // False when it failed.
    static bool RunAndReport(const std::function<void()>& body);

private:
    // Each clip of a change on its own, unless it failed or is a duplicate.
    // True when one of them, or the older clip it duplicates, is now the clip on the clipboard.
    bool AppendCaptured(std::vector<clips::CapturedClip>& captured, const std::string& source);
    // Whether the clipboard holds `clip` as it is now; Held notes that it does.
    bool ClipboardHolds(const clips::TClip& clip) const;
    void Held();
    void RewriteIfOnClipboard(const clips::TClip& clip);
    void ClipboardEmptied();
    void StoreChanged();
    clips::TClip* EqualClip(const clips::TClip& clip) const;
    // Stores the clip in the archive, newest, in place of its older form.
    void Archive(clips::TClip& clip);
    void Unarchive(const std::vector<clips::TClip*>& clips);

    const common::Settings& settings_;
    ClipStore store_;
    HistoryMenu menu_;
    mutable CollationCache collation_;  // a cache: comparing changes no clip
    DWORD capturedSequence_ = 0;  // the clipboard's sequence number at the last capture
    DWORD heldSequence_ = 0;
    archive::ArchiveWorker* archive_ = nullptr;
    int64_t nextArchiveId_ = 1;      // the sequence number at which the clipboard held the store's clip
};

}  // namespace history
