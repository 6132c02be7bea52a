#include "toolkit/ImageList_win.h"

#include <vector>

namespace toolkit {

HICON LoadIconOfSize(int resource, int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0));
}

ImageList::ImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8)), width_(width), height_(height) {
    ImageList_SetBkColor(list_, CLR_NONE);  // drawn with their alpha on any background
}

ImageList::~ImageList() {
    if (list_) ImageList_Destroy(list_);
}

void ImageList::Reset(int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (!list) return;  // the old list stays usable
    if (list_) ImageList_Destroy(list_);
    list_ = list;
    ImageList_SetBkColor(list_, CLR_NONE);  // drawn with their alpha on any background
    width_ = width;
    height_ = height;
    count_ = 0;
    menuBitmaps_.clear();
}

namespace {

// The icon's colours and transparency as a premultiplied 32-bit picture of
// `width` x `height`: menus draw such a bitmap with its alpha, on the colour
// of the entry whether it is highlighted or not, light or dark.
UniqueBitmap AlphaBitmapOf(HICON icon, int width, int height) {
    // An icon of another size is scaled by the system first, alpha and all.
    UniqueIcon sized(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, 0)));
    ICONINFO parts{};
    if (!sized || !GetIconInfo(sized.get(), &parts)) return {};
    UniqueBitmap colour(parts.hbmColor), mask(parts.hbmMask);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc || !colour) return {};
    auto* pixels = static_cast<RGBQUAD*>(bits);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (GetDIBits(dc.get(), colour.get(), 0, static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS) != height)
        return {};
    bool hasAlpha = false;
    for (size_t i = 0; i < count && !hasAlpha; ++i) hasAlpha = pixels[i].rgbReserved != 0;
    // An icon without alpha: its mask (white where transparent) tells what shows.
    std::vector<RGBQUAD> transparent(count);
    if (!hasAlpha && GetDIBits(dc.get(), mask.get(), 0, static_cast<UINT>(height), transparent.data(), &info,
                               DIB_RGB_COLORS) != height)
        return {};
    for (size_t i = 0; i < count; ++i) {
        RGBQUAD& p = pixels[i];
        unsigned alpha = hasAlpha ? p.rgbReserved : (transparent[i].rgbRed ? 0u : 255u);
        p = {static_cast<BYTE>(p.rgbBlue * alpha / 255), static_cast<BYTE>(p.rgbGreen * alpha / 255),
             static_cast<BYTE>(p.rgbRed * alpha / 255), static_cast<BYTE>(alpha)};
    }
    return bitmap;
}

}  // namespace

int ImageList::AddIcon(HICON icon) {
    int index = icon ? ImageList_AddIcon(list_, icon) : -1;
    if (index < 0) {
        // Keep the index taken with a fully transparent image.
        std::vector<BYTE> andMask(static_cast<size_t>(width_ * height_ / 8), 0xFF), xorMask(andMask.size(), 0);
        UniqueIcon blank(CreateIcon(GetModuleHandleW(nullptr), width_, height_, 1, 1, andMask.data(), xorMask.data()));
        ImageList_AddIcon(list_, blank.get());
        menuBitmaps_.emplace_back();
    } else {
        menuBitmaps_.push_back(AlphaBitmapOf(icon, width_, height_));
    }
    ++count_;
    return count_ - 1;
}

void ImageList::Draw(int index, HDC dc, int x, int y) const { ImageList_Draw(list_, index, dc, x, y, ILD_NORMAL); }

HBITMAP ImageList::MenuBitmap(int index) {
    if (index < 0 || index >= count_) return nullptr;
    return menuBitmaps_[static_cast<size_t>(index)].get();
}

}  // namespace toolkit
