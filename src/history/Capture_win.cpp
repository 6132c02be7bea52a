// The capture routine: what a clipboard change adds to the clipboard history.
#include <windows.h>

#include <memory>

#include "clips/ClipText_win.h"
#include "clips/PrivateContent_win.h"
#include "common/MessageBox_win.h"
#include "history/History_win.h"
#include "history/MenuPositions.h"
#include "toolkit/Application_win.h"

namespace history {

void History::ClipboardChanged() {
    // Everything we write is owned by ClipboardOwnerWindow: not a new clip.
    HWND owner = GetClipboardOwner();
    if (clips::ClipboardOwnerWindow && owner == clips::ClipboardOwnerWindow) return;

    if (CountClipboardFormats() < 1) {
        ClipboardEmptied();
    } else if (clips::ClipboardContentIsPrivate()) {
        // Not even a duplicate match: the mark would tell which clip it equals.
        ClearDefaultMark();
    } else {
        CaptureTextClip();
        CaptureImageClip();
        CaptureFileListClip();
        CaptureWaveClip();
    }
    toolkit::Application::Instance().ProcessMessages();
}

void History::ClipboardEmptied() {
    // A file list names files that an emptied clipboard no longer offers to paste.
    toolkit::MenuItem* last = mniHistory.Items(mniHistory.Count() - 1);
    if (last->ImageIndex() == clips::kFileList) {
        delete last;
        UpdateHistory();
    }
    ClearDefaultMark();
}

void History::ClearDefaultMark() {
    int position = static_cast<int>(GetMenuDefaultItem(mniHistory.Handle(), TRUE, 0));
    if (position < 0) return;
    if (toolkit::MenuItem* item = ItemAtPlatformPosition(position)) item->SetDefault(false);
}

toolkit::MenuItem* History::ItemAtPlatformPosition(int position) const {
    int index = ItemPositionFromPlatform(position, !mniPersonalHistoryEmpty->Visible(), ClipboardSeparatorIndex(),
                                         !mniClipboardHistoryEmpty->Visible());
    return index >= 0 && index < mniHistory.Count() ? mniHistory.Items(index) : nullptr;
}

void History::MakeOneClip(const std::function<void()>& make) {
    try {
        make();
    } catch (...) {
        common::ShowLastError();
    }
}

void History::CaptureTextClip() {
    // The richest text format offered decides the kind; a blank or duplicate
    // capture is dropped, not replaced by a poorer kind.
    MakeOneClip([this] {
        std::unique_ptr<clips::TClipText> clip;
        int kind;
        if (IsClipboardFormatAvailable(clips::HTMLFormat)) {
            clip = std::make_unique<clips::TClipHTMLText>();
            kind = clips::kHtml;
        } else if (IsClipboardFormatAvailable(clips::RichTextFormat)) {
            clip = std::make_unique<clips::TClipRichText>();
            kind = clips::kRichText;
        } else if (IsClipboardFormatAvailable(CF_TEXT)) {
            clip = std::make_unique<clips::TClipText>();
            kind = clips::kPlainText;
        } else {
            return;
        }
        if (!clip->CaptureFromClipboard()) return;
        if (FindDuplicate(*clip->DuplicateData(), kind)) return;
        clip->AddToHistory(mniHistory, ClickAction());
        clip.release();  // the menu owns it now
        UpdateHistory();
    });
}

}  // namespace history
