#pragma once
// The clip base: a history entry that is at once the data captured and the
// menu item that shows it. Each kind answers for itself what the program asks
// of a clip: what it captures, its caption and kind in the history, what it
// restores, what duplicates it, how it previews, its personal-history record
// and which commands of the pop-up apply to it.
#include <windows.h>

#include <string>
#include <string_view>

#include "clips/ClipCommands.h"
#include "clips/ClipKind.h"
#include "toolkit/MenuItem_win.h"

namespace personal {
struct ClipRecord;
}

namespace clips {

class ClipPreview;

class TClip : public toolkit::MenuItem {
public:
    static constexpr const char* kClassName = "TClip";
    std::string CapturedAt;
    std::string Source;

    // The class name stored in the personal history file.
    virtual const char* ClassName() const { return kClassName; }

    // Reads the kind's formats from the clipboard, which the caller holds open:
    // nothing but reading. False when they hold nothing worth a clip; throws
    // common::Win32Error, saying what is wrong, when the data is refused.
    virtual bool CaptureFromClipboard() { return false; }
    // What the capture still does once the clipboard is closed again.
    virtual void FinishCapture() {}
    // Sets the caption and the kind the clip shows in the history.
    virtual void NameForHistory() {}
    // Stamps the program it was read from (when not known yet) and the time.
    void StampCapture();
    // Puts every format of the content back on the clipboard in one session,
    // owned by ClipboardOwnerWindow. Throws common::Win32Error when it can't.
    virtual void RestoreToClipboard() const {}
    // A file list names files that an emptied clipboard no longer offers.
    virtual bool DroppedWithEmptiedClipboard() const { return false; }

    // The data compared when duplicates are refused; null for kinds never compared.
    virtual const std::string* DuplicateData() const { return nullptr; }
    // Whether a clip of `kind` already in the history is compared with this new one.
    virtual bool ComparedWith(int /*kind*/) const { return false; }
    virtual bool DuplicateIgnoresCase() const { return false; }

    // What the find window finds the clip by besides its caption and source:
    // its full text, its file names; nothing for a picture or a sound.
    virtual std::string_view FoundBy() const { return {}; }
    // The plain text a rich clip holds beside its rich form ("复制为纯文本");
    // null for a kind that has no such second form.
    virtual const std::string* PlainTextCopy() const { return nullptr; }

    // Shows the clip with what the preview offers; a bare clip shows nothing.
    virtual void ShowPreview(ClipPreview& /*preview*/) const {}
    // Which commands of the clip pop-up apply.
    virtual ClipCommands Commands() const;

    // Fills its fields of a personal-history record.
    virtual void WriteRecord(personal::ClipRecord& record) const;
    // Takes over its fields of a record (texts are moved). Throws
    // common::Win32Error when they cannot be read.
    virtual void ReadRecord(personal::ClipRecord& record);
    // False for a kind the personal history never keeps (it has no record class).
    bool KeptInPersonalHistory() const;
};

// The local time as "dddd dd mmmm yyyy, hh:nn:ss" with the locale's names.
std::string FormatCapturedAt(const SYSTEMTIME& time);

}  // namespace clips
