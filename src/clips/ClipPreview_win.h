#pragma once
// What the hover preview offers a clip to show itself with: each kind picks
// the form that fits it, so the preview needs no knowledge of the kinds.
#include <span>
#include <string_view>

#include "toolkit/Bitmap_win.h"

namespace clips {

class TClip;

class ClipPreview {
public:
    // A text with the format `label` names.
    virtual void ShowText(const TClip& clip, std::string_view label, std::string_view text) = 0;
    virtual void ShowPicture(const TClip& clip, const toolkit::Bitmap& picture) = 0;
    // The files of a list, by their names in the shell.
    virtual void ShowFiles(const TClip& clip, std::span<const std::string_view> paths) = 0;
    // The info of a sound that is about to play.
    virtual void ShowSound(const TClip& clip) = 0;

protected:
    ~ClipPreview() = default;
};

}  // namespace clips
