#include "toolkit/EditByteLimit_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "toolkit/EditLimit.h"

namespace toolkit {
namespace {

constexpr UINT_PTR kSubclassId = 0x5045;  // one limit per edit, set once

struct EditLimitState {
    size_t maxBytes;
    std::u16string accepted;  // the text after the last change checked
    int depth = 0;            // messages of the edit in progress, our own included
};

std::u16string TextOf(HWND edit) {
    int length = GetWindowTextLengthW(edit);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), length + 1)));
    return text;
}

// Runs after each outermost message of the edit: whatever changed the text,
// the change is checked here, after the edit has made it.
void CheckChange(HWND edit, EditLimitState& state) {
    ++state.depth;  // our own reads and writes are no changes to check
    std::u16string now = TextOf(edit);
    if (now != state.accepted) {
        if (auto limited = LimitEditChange(state.accepted, now, state.maxBytes)) {
            MessageBeep(MB_OK);
            SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(limited->text.c_str()));
            SendMessageW(edit, EM_SETSEL, limited->caret, limited->caret);
            now = std::move(limited->text);
        }
        state.accepted = std::move(now);
    }
    --state.depth;
}

LRESULT CALLBACK LimitProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<EditLimitState*>(data);
    if (msg == WM_NCDESTROY) {
        std::unique_ptr<EditLimitState> owned(state);  // the edit's state goes with it
        RemoveWindowSubclass(edit, &LimitProc, kSubclassId);
        return DefSubclassProc(edit, msg, wParam, lParam);
    }
    ++state->depth;
    LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
    --state->depth;
    if (state->depth == 0) CheckChange(edit, *state);
    return result;
}

}  // namespace

void LimitEditBytes(HWND edit, int maxBytes) {
    auto state = std::make_unique<EditLimitState>(
        EditLimitState{static_cast<size_t>(maxBytes < 0 ? 0 : maxBytes), TextOf(edit)});
    if (SetWindowSubclass(edit, &LimitProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state.get()))) state.release();
}

}  // namespace toolkit
