#include "clipboard/Clpbrd_win.h"

#include <iterator>
#include <utility>

#include "clipboard/ClipboardOwner_win.h"

namespace clipboard {
namespace {
// The watcher's own message: one or more changes wait for OnChange.
constexpr UINT WM_CLIPBOARDCHANGES = WM_APP + 0x130;
constexpr UINT_PTR kRetryTimer = 1;
// Pauses before the tries after a busy clipboard: about three seconds in all.
constexpr UINT kRetryDelaysMs[] = {50, 100, 200, 400, 800, 1600};
}  // namespace

// A class of its own: a member of the viewer chain that can be told apart by class.
TClpbrd::TClpbrd() { CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, "PellacorClipboardWatcher", kWatcherClass); }

TClpbrd::~TClpbrd() {
    OnChange = nullptr;
    SetActive(false);
    DestroyHandle();
}

void TClpbrd::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        // SetClipboardViewer sends WM_DRAWCLIPBOARD before it returns: mark us
        // active first so that notification is handled like any other.
        active_ = true;
        nextViewer_ = SetClipboardViewer(Handle());
    } else {
        ChangeClipboardChain(Handle(), nextViewer_);
        active_ = false;
        nextViewer_ = nullptr;
        // Switching off wins over a change still waiting: no retry, and the
        // posted message finds the watcher off (RunChange).
        KillTimer(Handle(), kRetryTimer);
        retries_ = 0;
        retryAsked_ = false;
        runAgain_ = false;
    }
}

bool TClpbrd::RetryLater() {
    if (!active_) return false;
    if (retries_ >= static_cast<int>(std::size(kRetryDelaysMs))) {
        retries_ = 0;
        return false;
    }
    retryAsked_ = true;
    SetTimer(Handle(), kRetryTimer, kRetryDelaysMs[retries_++], nullptr);
    return true;
}

void TClpbrd::Forward(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!nextViewer_) return;
    // A viewer that no longer answers loses this notification, and we go on.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(nextViewer_, msg, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, kForwardTimeoutMs,
                        &ignored);
}

void TClpbrd::ForwardChange(WPARAM wParam, LPARAM lParam) {
    // While we wait for the next viewer, further notifications reach us; they
    // are passed on as one after this one, never nested ever deeper.
    if (forwarding_) {
        forwardAgain_ = true;
        return;
    }
    forwarding_ = true;
    do {
        forwardAgain_ = false;
        Forward(WM_DRAWCLIPBOARD, wParam, lParam);
    } while (forwardAgain_);
    forwarding_ = false;
}

void TClpbrd::ChangeNoticed() {
    if (posted_) return;
    posted_ = PostMessageW(Handle(), WM_CLIPBOARDCHANGES, 0, 0) != FALSE;
}

void TClpbrd::RunChange() {
    posted_ = false;
    if (running_) {
        runAgain_ = true;  // a modal loop inside OnChange (a message box) handled our message
        return;
    }
    KillTimer(Handle(), kRetryTimer);
    if (!OnChange || !active_) return;
    running_ = true;
    retryAsked_ = false;
    struct Done {
        TClpbrd& self;
        ~Done() {
            self.running_ = false;
            if (!self.retryAsked_) self.retries_ = 0;
            if (std::exchange(self.runAgain_, false) && self.active_) self.ChangeNoticed();
        }
    } done{*this};
    OnChange();
}

LRESULT TClpbrd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        return 0;  // the watcher lives as long as its owner, not as long as a close request
    case WM_DESTROY:
        SetActive(false);
        return 0;
    case WM_DESTROYCLIPBOARD:
        ChangeNoticed();
        return 0;
    case WM_DRAWCLIPBOARD:
        NoteClipboardSource();  // before the next viewer may keep us waiting
        ForwardChange(wParam, lParam);
        ChangeNoticed();
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == nextViewer_) nextViewer_ = reinterpret_cast<HWND>(lParam);
        else Forward(msg, wParam, lParam);
        return 0;
    case WM_CLIPBOARDCHANGES:
        RunChange();
        return 0;
    case WM_TIMER:
        if (wParam != kRetryTimer) break;
        KillTimer(Handle(), kRetryTimer);
        if (active_) ChangeNoticed();
        return 0;
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}

}  // namespace clipboard
