#pragma once
// Password managers and similar programs mark what they copy so that no
// clipboard tool keeps a copy of it.
namespace clips {

// True when the clipboard, which the caller holds open, offers "Clipboard
// Viewer Ignore" or "ExcludeClipboardContentFromMonitorProcessing", or
// "CanIncludeInClipboardHistory" holding a 32-bit zero. When that value can't
// be read (the block is missing or shorter than four bytes) the content counts
// as private too.
bool ClipboardContentIsPrivate();

}  // namespace clips
