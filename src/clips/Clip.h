#pragma once
// The clip base: the data of one history entry. It shows in no menu by itself;
// the history's store holds clips and the history menu is a view of them.
// Each kind answers for itself what the program asks of a clip: what it
// captures, its caption and kind, what it restores, what duplicates it, how it
// previews, its personal-history record and which pop-up commands apply.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "clips/ClipCommands.h"
#include "clips/ClipKind.h"

namespace personal {
struct ClipRecord;
}
namespace archive {
struct ArchivedClip;
}

namespace clips {

class ClipPreview;

class TClip {
public:
    static constexpr const char* kClassName = "TClip";
    std::string CapturedAt;
    std::string Source;
    // A transformation of the text can be undone.
    bool UndoAvailable = false;
    // Its id in the clipboard archive; 0 while it is not archived.
    int64_t ArchiveId = 0;

    TClip() = default;
    virtual ~TClip() = default;
    TClip(const TClip&) = delete;
    TClip& operator=(const TClip&) = delete;

    // What the history shows: the caption and the kind (ClipKind), which picks the icon.
    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    int Kind() const noexcept { return kind_; }
    void SetKind(int kind) noexcept { kind_ = kind; }

    // The class name stored in the personal history file.
    virtual const char* ClassName() const { return kClassName; }

    // Reads the kind's formats from the clipboard, which the caller holds open:
    // nothing but reading. False when they hold nothing worth a clip; throws
    // common::Failure, saying what is wrong, when the data is refused.
    virtual bool CaptureFromClipboard() { return false; }
    // What the capture still does once the clipboard is closed again.
    virtual void FinishCapture() {}
    // Sets the caption (of at most `captionLength` characters, where the
    // content gives it) and the kind the clip shows in the history.
    virtual void NameForHistory(int /*captionLength*/) {}
    // Stamps the program it was read from (when not known yet) and the time.
    void StampCapture();
    // Puts every format of the content back on the clipboard in one session,
    // owned by ClipboardOwnerWindow. Throws when it can't.
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
    // A rich clip's plain text alone ("复制为纯文本"): the plain text that came
    // with it, else the text its rich form shows. Nothing for a kind that has
    // no such second form.
    virtual bool CopiesAsPlainText() const { return false; }
    virtual std::string PlainTextCopy() const { return {}; }

    // Shows the clip with what the preview offers; a bare clip shows nothing.
    virtual void ShowPreview(ClipPreview& /*preview*/) const {}
    // Which commands of the clip pop-up apply.
    virtual ClipCommands Commands() const;

    // Fills its fields of a personal-history record.
    virtual void WriteRecord(personal::ClipRecord& record) const;
    // Takes over its fields of a record (texts are moved). Throws
    // common::Failure when they cannot be read.
    virtual void ReadRecord(personal::ClipRecord& record);
    // False for a kind the personal history never keeps (it has no record class).
    bool KeptInPersonalHistory() const;

    // Fills its archived form: what the history shows, what it is found by and
    // the bytes it restores itself from (by default its personal-history
    // record); work that may take long goes into `archived.Prepare`, which the
    // archive's worker runs. False for a clip with nothing to keep.
    virtual bool WriteArchive(archive::ArchivedClip& archived) const;
    // Takes over its archived form (Data is moved). Throws common::Failure when
    // the data cannot be read.
    virtual void ReadArchive(archive::ArchivedClip& archived);

protected:
    // The caption, kind, source, time and what it is found by, of the archived form.
    void WriteArchivedNames(archive::ArchivedClip& archived) const;
    // The caption, kind, source, time and id of the archived form.
    void ReadArchivedNames(archive::ArchivedClip& archived);

private:
    friend class ClipRef;
    std::string caption_;
    int kind_ = -1;
    // Expires when the clip is destroyed (see ClipRef).
    std::shared_ptr<const void> alive_ = std::make_shared<char>();
};

// A reference to a clip that knows when the clip has been destroyed, so a
// command that outlives a modal loop never acts on a clip that is gone.
class ClipRef {
public:
    ClipRef() = default;
    explicit ClipRef(TClip* clip) : clip_(clip), alive_(clip ? clip->alive_ : nullptr) {}
    // Null once the clip is destroyed.
    TClip* Get() const noexcept { return alive_.expired() ? nullptr : clip_; }

private:
    TClip* clip_ = nullptr;
    std::weak_ptr<const void> alive_;
};

}  // namespace clips
