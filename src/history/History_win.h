#pragma once
// The two histories, held as the items of the history menu:
//   sepPersonalHistory, mniPersonalHistoryEmpty, the personal clips,
//   sepClipboardHistory, mniClipboardHistoryEmpty, the clipboard clips (oldest first).
// The sections are reached through this class alone, which knows that layout;
// every item of a section is a clip, put there by one of its operations.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "history/Collation_win.h"
#include "history/TextTransform.h"
#include "toolkit/MenuItem_win.h"

namespace clips {
class TClip;
class TClipText;
struct CapturedClip;
}  // namespace clips

namespace history {

enum class Section { Personal, Clipboard };

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
    // Runs after every change of what the personal history keeps: a clip
    // added, removed, renamed, deleted, transformed or undone, the section
    // emptied. The main form saves the personal history soon after.
    std::function<void()> OnPersonalHistoryChanged;

    // The sections. Their clips in menu order (the clipboard's oldest first).
    int Count(Section section) const { return End(section) - Begin(section); }
    int PersonalCount() const { return Count(Section::Personal); }
    int ClipboardCount() const { return Count(Section::Clipboard); }
    std::vector<clips::TClip*> Clips(Section section) const;
    // The clip an item of the menu is; null for a header, a marker or an item
    // elsewhere.
    clips::TClip* ClipOf(const toolkit::MenuItem* item) const;
    Section SectionOf(const clips::TClip& clip) const;
    // The clip shown at a position of the platform menu (its default item, the
    // item under a right-click), or null.
    clips::TClip* ClipAtPlatformPosition(int position) const;

    // The changes of the sections; each ends with UpdateHistory, and a change
    // of the personal section (not a load) with OnPersonalHistoryChanged.
    // A captured clip: named by its kind, stamped, appended to the clipboard
    // history with the default mark.
    void Append(std::unique_ptr<clips::TClip> clip);
    // A clip read from the personal history file, appended to the personal
    // history without the default mark; nothing is stamped again.
    void AppendLoaded(std::unique_ptr<clips::TClip> clip);
    // To the end of `section`.
    void MoveTo(clips::TClip& clip, Section section);
    // Destroys the clip (the clipboard keeps what it holds).
    void Remove(clips::TClip& clip);
    void Empty(Section section);

    // Markers follow the lists; the clipboard history is cut to MaxHistorySize.
    void UpdateMarkersAndTrim();

    // Capture (Capture_win.cpp): run after one or more clipboard changes. Reads
    // the clipboard as it is now, once, in one session: ignores our own writes
    // and a change already captured, forgets the mark when the clipboard was
    // emptied, keeps nothing of content marked private, else makes the clips
    // of the formats offered: one text kind, then image, file list and sound.
    // False when another program held the clipboard all along (nothing read).
    bool ClipboardChanged();
    // With duplicates refused: true when a clip that `clip` is compared with
    // holds equal data; that clip then gets the default mark.
    bool FindDuplicate(const clips::TClip& clip);
    // The click action of every clip: puts it back on the clipboard and gives
    // it the default mark (nothing is written when it already has the mark).
    void ClipClick(clips::TClip& clip);
    // What picking a clip in the history menu does; unset, ClipClick. The main
    // form adds the plain copy of Shift and the paste.
    std::function<void(clips::TClip& clip)> OnPick;
    // "复制为纯文本": the plain text of a rich clip alone (Unicode and ANSI) on the
    // clipboard. The clip is left as it is, and no clip keeps the default mark:
    // the clipboard holds what none of them holds. Nothing for other kinds.
    void CopyAsPlainText(const clips::TClip& clip);

    // Editing (Editing_win.cpp). Each acts on the clip `clip` refers to; a clip
    // destroyed before the command gets to it (trimmed by a capture while a
    // question was open) is left alone. The ones that move or destroy clips end
    // the open menus first and end with UpdateHistory.
    void RenameClip(toolkit::ItemRef clip);
    void DeleteClip(toolkit::ItemRef clip);
    void EmptySectionOf(toolkit::ItemRef clip);
    void AddToPersonalHistory(toolkit::ItemRef clip);
    void RemoveFromPersonalHistory(toolkit::ItemRef clip);

    // The section headers (SectionHeaders_win.cpp), owner-drawn separators:
    // the section's name centred on an engraved rule.
    void sepClipboardHistoryMeasureItem(toolkit::MenuItem& sender, HDC dc, UINT& width, UINT& height);
    void sepClipboardHistoryDrawItem(toolkit::MenuItem& sender, const DRAWITEMSTRUCT& draw);

    // The text transformations of a plain-text clip (Transform_win.cpp). The first
    // since capture or undo keeps the text in Backup; each sets the undo mark (Tag 1).
    // The clip that is on the clipboard is written there again, as our own write.
    void TransformClip(clips::TClipText& clip, Transformation how);
    // The text from before the first transformation comes back and the undo mark
    // goes; the clip that is on the clipboard is written there again.
    void UndoTransformation(clips::TClipText& clip);

    // Clears the mark of the item the platform menu shows as its default.
    void ClearDefaultMark();

    // Runs `body`; an error is shown as what it is (the platform's text for
    // its code, our own text, or out of memory) and the caller goes on.
    static void RunAndReport(const std::function<void()>& body);

private:
    // The menu positions a section spans: from below its marker to the next header or the end.
    int Begin(Section section) const;
    int End(Section section) const;
    void Insert(int position, std::unique_ptr<clips::TClip> clip);
    // Each clip of a change on its own, unless it failed or is a duplicate.
    void AppendCaptured(std::vector<clips::CapturedClip>& captured, const std::string& source);
    void ClipboardEmptied();
    void PersonalHistoryChanged() {
        if (OnPersonalHistoryChanged) OnPersonalHistoryChanged();
    }

    CollationCache collation_;
    DWORD capturedSequence_ = 0;  // the clipboard's sequence number at the last capture
};

}  // namespace history
