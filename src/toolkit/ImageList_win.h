#pragma once
// A list of small icons (16 x 16 unless told), drawn with their alpha. Each
// icon is also offered as a premultiplied 32-bit bitmap, which menu items show
// beside their captions with no box of another colour behind it.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/Handles_win.h"

namespace toolkit {

// The icon resource `resource` of this program at `size` pixels: the image of
// that size, or the nearest one scaled by the system. For the caller to destroy; null when there is none.
HICON LoadIconOfSize(int resource, int size);

class ImageList {
public:
    ImageList(int width = 16, int height = 16);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Empties the list and makes its images `width` x `height` from now on
    // (the menu bitmaps handed out before are destroyed).
    void Reset(int width, int height);
    int Width() const noexcept { return width_; }
    // Appends a copy of the icon (the caller keeps its own); an empty icon
    // still takes its index so that the indexes after it do not move.
    int AddIcon(HICON icon);
    int Count() const noexcept { return count_; }
    HIMAGELIST Handle() const noexcept { return list_; }
    // The icon at `index` as a bitmap with alpha; owned by the list, null for an empty icon.
    HBITMAP MenuBitmap(int index);
    void Draw(int index, HDC dc, int x, int y) const;

private:
    HIMAGELIST list_;
    int width_, height_;
    int count_ = 0;
    std::vector<UniqueBitmap> menuBitmaps_;
};

}  // namespace toolkit
