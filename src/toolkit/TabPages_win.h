#pragma once
// A tab strip with pages. Each page is a child window of the dialog laid over
// the strip's display area; its controls take part in the dialog's Tab order
// (the page is a control parent) and their notifications reach the dialog.
#include <windows.h>

#include <string>
#include <vector>

namespace toolkit {

class TabPages {
public:
    // `strip` is a tab control on `dialog`; `tabWidth` in pixels.
    TabPages(HWND dialog, HWND strip, const std::vector<std::string>& captions, int tabWidth);
    ~TabPages();
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    HWND Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    int Count() const noexcept { return static_cast<int>(pages_.size()); }
    // Sizes the tabs and lays the pages over the strip's display area again
    // (after the strip was moved or its font changed).
    void Layout(int tabWidth);
    // Shows page `index` alone and selects its tab.
    void Select(int index);
    // The dialog's WM_NOTIFY: follows a tab the user chose. True when it was the strip's.
    bool Notified(const NMHDR& header);

private:
    static LRESULT CALLBACK StripProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self) noexcept;
    HWND dialog_, strip_;
    std::vector<HWND> pages_;
    int selected_ = -1;
};

}  // namespace toolkit
