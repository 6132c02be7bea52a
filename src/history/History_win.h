#pragma once
// The two histories, held as the items of the history menu:
//   sepPersonalHistory, mniPersonalHistoryEmpty, the personal clips,
//   sepClipboardHistory, mniClipboardHistoryEmpty, the clipboard clips (oldest first).
// Counts and positions are always derived from the index of sepClipboardHistory.
#include <functional>
#include <string>
#include <string_view>

#include "history/Collation_win.h"
#include "history/TextTransform.h"
#include "toolkit/MenuItem_win.h"

namespace clips {
class TClip;
class TClipText;
}
namespace clipboard {
struct ClipboardChange;
template <typename Clip>
struct CapturedClip;
}  // namespace clipboard

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
    // Runs after every change of what the personal history keeps: a clip
    // added, removed, renamed, deleted, transformed or undone, the section
    // emptied. The main form saves the personal history soon after.
    std::function<void()> OnPersonalHistoryChanged;

    int ClipboardSeparatorIndex() const { return sepClipboardHistory->MenuIndex(); }
    int PersonalCount() const { return ClipboardSeparatorIndex() - 2; }
    int ClipboardCount() const { return mniHistory.Count() - ClipboardSeparatorIndex() - 2; }

    // Markers follow the lists; the clipboard history is cut to MaxHistorySize.
    void UpdateMarkersAndTrim();

    // Capture (Capture_win.cpp): run after one or more clipboard changes. Reads
    // the clipboard as it is now, once, in one session: ignores our own writes
    // and a change already captured, forgets the mark when the clipboard was
    // emptied, keeps nothing of content marked private, else makes the clips
    // of the formats offered: one text kind, then image, file list and sound.
    // False when another program held the clipboard all along (nothing read).
    bool ClipboardChanged();
    // With duplicates refused: true when an item of `kind` holds equal data;
    // that item then gets the default mark.
    bool FindDuplicate(const std::string& data, int kind);
    // The click action of every clip: puts it back on the clipboard and gives
    // it the default mark (nothing is written when it already has the mark).
    void ClipClick(toolkit::MenuItem& sender);
    toolkit::MenuItem::ClickHandler ClickAction() {
        return [this](toolkit::MenuItem& sender) { ClipClick(sender); };
    }

    // Editing (Editing_win.cpp). Each acts on the clip `clip` refers to; a clip
    // destroyed before the command gets to it (trimmed by a capture while a
    // question was open) is left alone. The ones that move or destroy clips end
    // the open menus first and end with UpdateHistory.
    void RenameClip(toolkit::ItemRef clip);
    void DeleteClip(toolkit::ItemRef clip);
    void EmptySectionOf(toolkit::ItemRef clip);
    void AddToPersonalHistory(toolkit::ItemRef clip);
    void RemoveFromPersonalHistory(toolkit::ItemRef clip);
    bool InClipboardSection(const toolkit::MenuItem& item) const {
        return item.MenuIndex() > ClipboardSeparatorIndex();
    }

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

    // The item of mniHistory shown at a position of the platform menu, or null.
    toolkit::MenuItem* ItemAtPlatformPosition(int position) const;
    // Clears the mark of the item the platform menu shows as its default.
    void ClearDefaultMark();

    // Runs `body`; an error is shown as what it is (the platform's text for
    // its code, our own text, or out of memory) and the caller goes on.
    static void RunAndReport(const std::function<void()>& body);

private:
    void AppendCaptured(clipboard::ClipboardChange& change);
    // Appends one captured clip unless it failed, is absent or duplicates an
    // entry of `duplicateKind` (kNoKind: never a duplicate); `prepare` runs first.
    template <typename Clip>
    void Append(clipboard::CapturedClip<Clip>& captured, const std::string& source, int duplicateKind,
                const std::function<void(Clip&)>& prepare = {});
    void ClipboardEmptied();
    void PersonalHistoryChanged() {
        if (OnPersonalHistoryChanged) OnPersonalHistoryChanged();
    }

    CollationCache collation_;
    DWORD capturedSequence_ = 0;  // the clipboard's sequence number at the last capture
};

}  // namespace history
