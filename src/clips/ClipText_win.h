#pragma once
// The text clips: plain text (kind 0, or 6 for a link), rich text (kind 1) and
// HTML (kind 2). Rich-text and HTML clips also keep the plain text that came
// with them, which gives their caption.
#include <string>

#include "clips/Clip_win.h"

namespace clipboard {
struct ClipboardFormats;
}

namespace clips {

class TClipText : public TClip {
public:
    static constexpr const char* kClassName = "TClipText";
    std::string Text;    // the plain text as read, not trimmed
    std::string Backup;  // the text before the transformations since the last undo

    // Any text format offered: the platform gives CF_TEXT for each.
    static bool Offered(const clipboard::ClipboardFormats& offered);
    const char* ClassName() const override { return kClassName; }
    // True when something not blank was read.
    bool CaptureFromClipboard() override;
    // Caption from the plain text; kind 6 for a link, else 0.
    void NameForHistory(int captionLength) override;
    void RestoreToClipboard() const override;
    const std::string* DuplicateData() const override { return &Text; }
    std::string_view FoundBy() const override { return Text; }
    // Plain text is compared with plain text and links.
    bool ComparedWith(int kind) const override { return kind == kPlainText || kind == kLinkText; }
    void ShowPreview(ClipPreview& preview) const override;
    ClipCommands Commands() const override;
    void WriteRecord(personal::ClipRecord& record) const override;
    void ReadRecord(personal::ClipRecord& record) override;

protected:
    // Every text kind takes its caption from the plain text.
    void CaptionFromText(int captionLength);
};

// A text that came with a richer form of itself (rich text, HTML): the richer
// form is what duplicates compare and what a restore puts back beside the
// plain text, which gives the caption and the plain copy.
class TClipFormattedText : public TClipText {
public:
    // True when the richer form or the plain text is not blank.
    bool CaptureFromClipboard() override;
    void NameForHistory(int captionLength) override;
    void RestoreToClipboard() const override;
    const std::string* DuplicateData() const override { return &Formatted(); }
    bool CopiesAsPlainText() const override { return true; }
    std::string PlainTextCopy() const override;
    bool ComparedWith(int kind) const override { return kind == FormattedKind(); }

protected:
    // The clipboard format of the richer form, and the kind the clip shows.
    virtual UINT Format() const = 0;
    virtual int FormattedKind() const = 0;
    virtual std::string& Formatted() = 0;
    virtual const std::string& Formatted() const = 0;
    // The text the richer form shows, for a clip that came without plain text.
    virtual std::string ShownText() const = 0;
};

class TClipRichText : public TClipFormattedText {
public:
    static constexpr const char* kClassName = "TClipRichText";
    std::string RichText;  // the "Rich Text Format" data

    static bool Offered(const clipboard::ClipboardFormats& offered);
    const char* ClassName() const override { return kClassName; }
    void ShowPreview(ClipPreview& preview) const override;
    void WriteRecord(personal::ClipRecord& record) const override;
    void ReadRecord(personal::ClipRecord& record) override;

protected:
    UINT Format() const override;
    int FormattedKind() const override { return kRichText; }
    std::string& Formatted() override { return RichText; }
    const std::string& Formatted() const override { return RichText; }
    std::string ShownText() const override;
};

class TClipHTMLText : public TClipFormattedText {
public:
    static constexpr const char* kClassName = "TClipHTMLText";
    std::string HTMLText;  // the "HTML Format" data (UTF-8)

    static bool Offered(const clipboard::ClipboardFormats& offered);
    const char* ClassName() const override { return kClassName; }
    // The displayable fragment, computed on each call.
    std::string LiteHTMLText() const;
    void ShowPreview(ClipPreview& preview) const override;
    void WriteRecord(personal::ClipRecord& record) const override;
    void ReadRecord(personal::ClipRecord& record) override;

protected:
    UINT Format() const override;
    int FormattedKind() const override { return kHtml; }
    std::string& Formatted() override { return HTMLText; }
    const std::string& Formatted() const override { return HTMLText; }
    std::string ShownText() const override { return LiteHTMLText(); }
};

}  // namespace clips
