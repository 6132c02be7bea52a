// Finding a clip by typing, picking it (plain with Shift) and pasting it at once.
#include "app/MainForm_win.h"
#include "archive/ArchivedClip.h"
#include "clips/ClipRecords_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"
#include "find/Paste_win.h"

namespace app {

void TfrmMain::PrepareFind() {
    if (findWindow_) return;
    // Every clip's text is folded once here, so that the first keystroke is as quick as any.
    findWindow_ = std::make_unique<find::FindWindow>(*history_, IconList, hover_.get());
    findWindow_->OnPick = [this](clips::TClip& clip, bool plain, HWND back) {
        bool picked = PickClip(clip, plain);
        if (!back) return;
        SetForegroundWindow(back);
        if (picked) PasteInto(back);  // never what another program left there
    };
    findWindow_->OnPickArchived = [this](int64_t id, bool plain, HWND back) {
        clips::TClip* clip = BringBackArchived(id);
        bool picked = clip && PickClip(*clip, plain);
        if (!back) return;
        SetForegroundWindow(back);
        if (picked) PasteInto(back);
    };
    findWindow_->OnDeleteClip = [this](clips::TClip& clip) { history_->DeleteClip(clips::ClipRef(&clip)); };
    findWindow_->OnDeleteArchived = [this](int64_t id) {
        if (settings_.DeleteClipConf && !common::Confirmed("你确实要删除这个剪辑吗 ?", common::BoxTitle::Confirm))
            return false;
        history_->DeleteArchived({id});
        return true;
    };
    findWindow_->SetArchive(archive_.get());
    findWindow_->Prepare();
}

clips::TClip* TfrmMain::BringBackArchived(int64_t id) {
    if (!archive_) return nullptr;
    clips::TClip* clip = nullptr;
    common::RunReported([&] {
        std::optional<archive::ArchivedClip> archived = archive_->Reader().Load(id);
        if (!archived) return;  // deleted meanwhile
        clip = &history_->BringBack(clips::ClipOfArchive(*archived));
    });
    return clip;
}

void TfrmMain::OpenFind(const std::wstring& typed, HWND returnTo) {
    PrepareFind();
    findWindow_->Open(typed, returnTo);
}

LRESULT TfrmMain::WMMenuChar(wchar_t typed, HMENU menu) {
    if (menu != mniHistory->Handle() || popup_->IsOpen() || !typed || !IsCharAlphaNumericW(typed))
        return MAKELRESULT(0, MNC_IGNORE);
    PostMessageW(Handle(), WM_FINDTYPED, typed, 0);
    return MAKELRESULT(0, MNC_CLOSE);
}

bool TfrmMain::PickClip(clips::TClip& clip, bool plain) {
    if (plain && clip.CopiesAsPlainText()) return history_->CopyAsPlainText(clip);
    return history_->ClipClick(clip);
}

void TfrmMain::PasteInto(HWND target) {
    KillTimer(Handle(), kPasteTimer);
    pasteTarget_ = nullptr;
    if (!settings_.AutoPaste || !find::IsPasteTarget(target)) return;
    pasteTarget_ = target;
    pasteTries_ = 0;
    PasteWhenForeground();
}

void TfrmMain::PasteWhenForeground() {
    // Keys go to the foreground window, whichever it is: only to the one the user
    // came from, which takes the foreground back in its own time (another process).
    if (!pasteTarget_) return;
    if (GetForegroundWindow() == pasteTarget_) {
        KillTimer(Handle(), kPasteTimer);
        pasteTarget_ = nullptr;
        find::SendPaste();
        return;
    }
    if (++pasteTries_ > kPasteTries) {
        KillTimer(Handle(), kPasteTimer);
        pasteTarget_ = nullptr;  // another window took over: nothing is sent
        return;
    }
    SetTimer(Handle(), kPasteTimer, kPasteTryMs, nullptr);
}

}  // namespace app
