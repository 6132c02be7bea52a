#include "clipboard/PrivateContent_win.h"

#include <windows.h>

#include <cstring>

#include "toolkit/Handles_win.h"

namespace clipboard {
namespace {

const UINT kViewerIgnoreFormat = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
const UINT kExcludeFormat = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
const UINT kCanIncludeFormat = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");

// Reads the DWORD of "CanIncludeInClipboardHistory"; 0 when it can't be read.
DWORD CanIncludeValue() {
    toolkit::GlobalLockGuard lock(GetClipboardData(kCanIncludeFormat));
    if (!lock || lock.size() < sizeof(DWORD)) return 0;
    DWORD value = 0;
    std::memcpy(&value, lock.data(), sizeof(value));
    return value;
}

}  // namespace

bool ClipboardContentIsPrivate(const ClipboardFormats& offered) {
    if (offered.Has(kViewerIgnoreFormat) || offered.Has(kExcludeFormat)) return true;
    return offered.Has(kCanIncludeFormat) && CanIncludeValue() == 0;
}

}  // namespace clipboard
