#include "toolkit/ImageList_win.h"

namespace toolkit {

ImageList::ImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8)), width_(width), height_(height) {
    ImageList_SetBkColor(list_, GetSysColor(COLOR_MENU));
}

ImageList::~ImageList() {
    if (list_) ImageList_Destroy(list_);
}

void ImageList::Reset(int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (!list) return;  // the old list stays usable
    if (list_) ImageList_Destroy(list_);
    list_ = list;
    ImageList_SetBkColor(list_, GetSysColor(COLOR_MENU));
    width_ = width;
    height_ = height;
    count_ = 0;
    menuBitmaps_.clear();
}

int ImageList::AddIcon(HICON icon) {
    int index = icon ? ImageList_AddIcon(list_, icon) : -1;
    if (index < 0) {
        // Keep the index taken with a fully transparent image.
        std::vector<BYTE> andMask(static_cast<size_t>(width_ * height_ / 8), 0xFF), xorMask(andMask.size(), 0);
        UniqueIcon blank(CreateIcon(GetModuleHandleW(nullptr), width_, height_, 1, 1, andMask.data(), xorMask.data()));
        ImageList_AddIcon(list_, blank.get());
    }
    ++count_;
    menuBitmaps_.resize(static_cast<size_t>(count_));
    return count_ - 1;
}

void ImageList::Draw(int index, HDC dc, int x, int y) const { ImageList_Draw(list_, index, dc, x, y, ILD_NORMAL); }

HBITMAP ImageList::MenuBitmap(int index) {
    if (index < 0 || index >= count_) return nullptr;
    UniqueBitmap& slot = menuBitmaps_[static_cast<size_t>(index)];
    if (!slot) {
        WindowDC screen(nullptr);
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width_, height_));
        {
            SelectedObject selected(dc.get(), bitmap.get());
            RECT r{0, 0, width_, height_};
            FillRect(dc.get(), &r, GetSysColorBrush(COLOR_MENU));
            Draw(index, dc.get(), 0, 0);
        }
        slot = std::move(bitmap);
    }
    return slot.get();
}

}  // namespace toolkit
