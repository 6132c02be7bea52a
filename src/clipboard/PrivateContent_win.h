#pragma once
// Password managers and similar programs mark what they copy so that no
// clipboard tool keeps a copy of it.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace clipboard {

// The formats a clipboard change offers, taken once while it is open.
struct ClipboardFormats {
    std::vector<UINT> list;
    bool Has(UINT format) const { return std::find(list.begin(), list.end(), format) != list.end(); }
};

// True when the clipboard, which the caller holds open, offers (`offered`) "Clipboard
// Viewer Ignore" or "ExcludeClipboardContentFromMonitorProcessing", or
// "CanIncludeInClipboardHistory" holding a 32-bit zero. When that value can't
// be read (the block is missing or shorter than four bytes) the content counts
// as private too.
bool ClipboardContentIsPrivate(const ClipboardFormats& offered);

}  // namespace clipboard
