#pragma once
// The clip base: a history entry that is at once the data captured and the
// menu item that shows it.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/MenuItem_win.h"

namespace clips {

// The clip kind is the item's ImageIndex and picks its icon.
enum ClipKind : int {
    kNoKind = -1,
    kPlainText = 0,
    kRichText = 1,
    kHtml = 2,
    kImage = 3,
    kFileList = 4,
    kWave = 5,
    kLinkText = 6,
};

// The window every clip routine opens the clipboard with (the main form's).
// Whatever the program writes is therefore owned by it, which is how the
// capture routine recognises our own writes.
extern HWND ClipboardOwnerWindow;
// Registered when the program starts, before any form exists.
extern UINT RichTextFormat;
extern UINT HTMLFormat;

class TClip : public toolkit::MenuItem {
public:
    std::string CapturedAt;
    std::string Source;

    // The class name stored in the personal history file.
    virtual const char* ClassName() const { return "TClip"; }
    // The data two clips of one kind are compared by when duplicates are
    // refused (Text, RichText, HTMLText, FileList); null for kinds never compared.
    virtual const std::string* DuplicateData() const { return nullptr; }

    // Stamps source and time, sets the kind and click action, appends the clip
    // to `menu` and gives it the default mark.
    void StampAndAppend(toolkit::MenuItem& menu, int kind, ClickHandler action);
    // For a clip read from the personal history file: no default mark, the
    // click action set, inserted at `position`; nothing is stamped again.
    void InsertLoaded(toolkit::MenuItem& menu, int position, ClickHandler action);
};

// The executable name of the process that owns the clipboard, or "不可用".
std::string ClipboardOwnerName();
// The same for the owner window already asked for.
std::string ClipboardOwnerName(HWND owner);
// The local time as "dddd dd mmmm yyyy, hh:nn:ss" with the locale's names.
std::string FormatCapturedAt(const SYSTEMTIME& time);

extern const char* const kUnavailable;

}  // namespace clips
