#pragma once
// The clip kinds. The numbers are stored in the personal history file (as the
// record's ImageIndex) and pick the kind's icon, so they never change.
namespace clips {

enum ClipKind : int {
    kPlainText = 0,
    kRichText = 1,
    kHtml = 2,
    kImage = 3,
    kFileList = 4,
    kWave = 5,
    kLinkText = 6,
};

// The format the text kinds name in their preview.
inline constexpr const char* kTextLabel = "文本";
inline constexpr const char* kRichTextLabel = "RTF / 文本";
inline constexpr const char* kHtmlLabel = "HTML / 文本";
inline constexpr const char* kLinkLabel = "链接 (快捷方式) / 文本";

}  // namespace clips
