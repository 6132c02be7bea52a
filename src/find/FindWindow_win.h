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

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "archive/ArchivedClip.h"
#include "find/ArchiveSearch_win.h"

#include "find/ClipFinder_win.h"
#include "toolkit/ControlLayout_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Window_win.h"

namespace archive {
class ArchiveSession;
}
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
    // The same for a clip that is only in the archive.
    std::function<void(int64_t id, bool plain, HWND returnTo)> OnPickArchived;
    // Shift+Del on the selected clip: of the histories, or only in the archive.
    std::function<void(clips::TClip& clip)> OnDeleteClip;
    // True when it was deleted (the user may say no).
    std::function<bool(int64_t id)> OnDeleteArchived;

    // The clipboard archive the window lists after the histories (null: none);
    // it must outlive its use here, or be set to null first.
    void SetArchive(archive::ArchiveSession* session);
    // The archived clips listed (those not in the histories), for tests.
    size_t ArchivedCount() const noexcept { return archived_.size(); }

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
    // The archive's search: started with each filter, its chunks taken as they come.
    void SearchArchive();
    void ShowStatus();
    void ArchiveFound(uint64_t generation);
    // The id of the archived clip listed at `index`, or 0 for a clip of the histories.
    int64_t ArchivedAt(int index) const;
    const archive::ArchivedRow* RowAt(int64_t id);
    void DeleteSelected();
    void TakeKeysBack();
    size_t RowCount() const noexcept { return finder_.FoundCount() + archived_.size(); }
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

    archive::ArchiveSession* archive_ = nullptr;
    std::unique_ptr<ArchiveSearch> search_;
    uint64_t generation_ = 0;
    bool searching_ = false;            // the archive's search has not ended
    bool pickWhenFound_ = false;        // Enter came before the first match
    bool plainPick_ = false;
    bool selectFirstArchived_ = false;  // no clip of the histories matched: the first archived one is selected
    int64_t keepSelected_ = 0;          // the archived clip selected before a refilter
    std::vector<int64_t> archived_;     // the archive's matches not in the histories, newest first
    std::unordered_set<int64_t> inMemory_;  // archive ids of the clips of the histories
    int64_t archiveTotal_ = 0;          // archived clips not in the histories
    std::list<archive::ArchivedRow> rows_;  // the rows shown last, most recent first
};

}  // namespace find
