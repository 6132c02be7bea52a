#pragma once
// Putting a clip back on the clipboard: every format of it in one session,
// after one EmptyClipboard, so other programs see one change and none can
// take the clipboard in between. The data is made before the clipboard is
// touched; a failure is reported once: common::Win32Error with the
// platform's code, or common::Failure when the clipboard stayed busy.
#include <windows.h>

#include <string_view>
#include <variant>
#include <vector>

#include "clipboard/ClipboardOwner_win.h"
#include "toolkit/Handles_win.h"

namespace clipboard {

class ClipboardWrite {
public:
    // Each Add takes the data; the clipboard owns what it accepts.
    void Add(UINT format, toolkit::UniqueGlobal block);
    void Add(UINT format, toolkit::UniqueBitmap bitmap);
    void Add(UINT format, toolkit::UniquePalette palette);
    // `text` and a zero byte. Throws (out of memory) before the clipboard is touched.
    void AddText(UINT format, std::string_view text);
    // A text (UTF-8) as CF_UNICODETEXT and, for programs that read only that,
    // as CF_TEXT in the system's code page.
    void AddUnicodeText(std::string_view text);

    // Opens the clipboard with ClipboardOwnerWindow (waiting a moment while
    // another program holds it), empties it and hands over every format.
    // Throws when it could not be opened (nothing changed) or when a format
    // was refused (the others are still there).
    void Commit();

    // How long a write waits for another program to let go of the clipboard.
    static constexpr DWORD kPatienceMs = 200;

private:
    using Data = std::variant<toolkit::UniqueGlobal, toolkit::UniqueBitmap, toolkit::UniquePalette>;
    struct Entry {
        UINT format;
        Data data;
    };
    std::vector<Entry> entries_;
};

// The text of the error when the clipboard stays held by another program.
extern const char* const kClipboardBusy;

}  // namespace clipboard
