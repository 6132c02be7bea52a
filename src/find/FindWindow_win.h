#pragma once
// The find window "查找剪辑": an edit on top, below it the clips of both
// histories that match what is typed (find/ClipMatch.h), a status line with
// the count. The edit keeps the focus: Up, Down, Page Up and Page Down move
// the selection; Enter or a double click picks the selected clip; Esc or
// losing the activation closes the window without a change. It is a small
// topmost Unicode window at the pointer, laid out for the DPI of its monitor
// (toolkit::ControlLayout) and again when WM_DPICHANGED moves it to another.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "find/ClipFinder_win.h"
#include "toolkit/ControlLayout_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Window_win.h"

namespace clips {
class TClip;
}
namespace history {
class History;
}
namespace preview {
class HoverPreview;
}
namespace toolkit {
class ImageList;
}

namespace find {

class FindWindow : public toolkit::Window {
public:
    // `icons` are the kind icons; `hover` (may be null) previews the selected clip.
    FindWindow(const history::History& history, toolkit::ImageList& icons, preview::HoverPreview* hover);
    ~FindWindow() override;

    // Opens the window at the pointer with `typed` in the edit (a window
    // already open takes the new text); `returnTo` is the window the user came
    // from, null when there is none.
    void Open(const std::wstring& typed, HWND returnTo);
    // Takes the clips and folds their texts now, while nothing waits for it.
    void Prepare() {
        finder_.Reload();
        finder_.FoldAll();
    }
    bool IsOpen() const noexcept { return Handle() != nullptr; }
    // Closes without a change.
    void Close() noexcept;
    // The history's lists changed: the list follows at once.
    void HistoryChanged();

    // Runs when a clip is picked, just before the window closes: `plain` when
    // Shift was held while picking; `returnTo` as Open got it.
    std::function<void(clips::TClip& clip, bool plain, HWND returnTo)> OnPick;

    HWND Edit() const noexcept { return edit_; }
    HWND List() const noexcept { return list_; }
    HWND Status() const noexcept { return status_; }
    // The listed clip that is selected, or null.
    clips::TClip* SelectedClip() const;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Create(POINT at);
    void ChangeDpi(UINT dpi, const RECT& suggested);
    int ColumnWidth() const;
    // The matches of the typed words; the first one selected.
    void Refilter();
    // The matches again after the history changed: the selected clip stays
    // selected, and nothing is once it is gone, so Enter never takes another.
    void RefilterKeeping(const clips::ClipRef& selected);
    // Lists the matches and selects the one at `index` (-1: none).
    void ShowMatches(int index);
    void Select(int index);
    int Selected() const;
    void Pick(int index, bool plain);
    void Cancel();
    void SelectionChanged();
    LRESULT Notify(const NMHDR& header);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    static LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

    const history::History& history_;
    toolkit::ImageList& icons_;
    preview::HoverPreview* hover_;
    ClipFinder finder_;
    HWND returnTo_ = nullptr;
    HWND edit_ = nullptr, list_ = nullptr, status_ = nullptr;
    toolkit::ScaledFont font_, boldFont_;
    toolkit::ControlLayout layout_;
};

}  // namespace find
