#pragma once
// The clip base: a history entry that is at once the data captured and the
// menu item that shows it.
#include <windows.h>

#include <string>
#include <string_view>

#include "clips/ClipKind.h"
#include "toolkit/MenuItem_win.h"

namespace clips {

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

// The local time as "dddd dd mmmm yyyy, hh:nn:ss" with the locale's names.
std::string FormatCapturedAt(const SYSTEMTIME& time);

}  // namespace clips
