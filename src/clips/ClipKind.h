#pragma once
// The clip kinds. The numbers are stored in the personal history file (as the
// item's ImageIndex) and pick the kind's icon, so they never change.
namespace clips {

enum ClipKind : int {
    kNoKind = -1,
    kPlainText = 0,
    kRichText = 1,
    kHtml = 2,
    kImage = 3,
    kFileList = 4,
    kWave = 5,
    kLinkText = 6,
};

}  // namespace clips
