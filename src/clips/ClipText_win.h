#pragma once
// The text clips: plain text (kind 0, or 6 for a link), rich text (kind 1) and
// HTML (kind 2). Rich-text and HTML clips also keep the plain text that came
// with them, which gives their caption.
#include <string>

#include "clipboard/ClipboardOwner_win.h"
#include "clips/Clip_win.h"

namespace clips {

class TClipText : public TClip {
public:
    std::string Text;    // as read from CF_TEXT, not trimmed
    std::string Backup;  // the text before the transformations since the last undo

    const char* ClassName() const override { return "TClipText"; }
    const std::string* DuplicateData() const override { return &Text; }

    // Caption from the plain text, kind, stamp, then appended to `menu` with the default mark.
    virtual void AddToHistory(toolkit::MenuItem& menu, ClickHandler action);
    // Reads the clipboard, which the caller holds open (every format of one
    // change is read in one session); true when something not blank was read.
    virtual bool CaptureFromClipboard();
    // Puts every format of the content back on the clipboard in one session,
    // owned by ClipboardOwnerWindow. Throws common::Win32Error when it can't.
    virtual void RestoreToClipboard();

protected:
    // Every text kind takes its caption from the plain text.
    void AppendWithCaption(toolkit::MenuItem& menu, int kind, ClickHandler action);
};

class TClipRichText : public TClipText {
public:
    std::string RichText;  // the "Rich Text Format" data

    const char* ClassName() const override { return "TClipRichText"; }
    const std::string* DuplicateData() const override { return &RichText; }

    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action) override;
    bool CaptureFromClipboard() override;
    void RestoreToClipboard() override;
};

class TClipHTMLText : public TClipText {
public:
    std::string HTMLText;  // the "HTML Format" data (UTF-8)

    const char* ClassName() const override { return "TClipHTMLText"; }
    const std::string* DuplicateData() const override { return &HTMLText; }
    // The displayable fragment in the ANSI code page, computed on each call.
    std::string LiteHTMLText() const;

    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action) override;
    bool CaptureFromClipboard() override;
    void RestoreToClipboard() override;
};

}  // namespace clips
