#include "preview/PreviewText.h"

#include "clips/ClipKind.h"
#include "common/CodePage.h"
#include "common/Text.h"

namespace preview {
namespace {
std::string Str(std::string_view text) { return std::string(text); }
unsigned U(size_t n) { return static_cast<unsigned>(n); }
}  // namespace

std::string ContentBlock(std::string_view content) {
    std::string_view trimmed = common::TrimBlanks(content);
    std::string shown(trimmed);
    if (common::WidthPrefix(trimmed, kContentLimit) < trimmed.size()) {
        // Never half a character before the dots.
        std::string_view cut = trimmed.substr(0, common::WidthPrefix(trimmed, kContentCut));
        shown = Str(common::TrimBlanks(cut)) + "\r\n\r\n...";
    }
    return "\r\n\r\n\r\n" + shown;
}

std::string TextHead(std::string_view label, std::string_view source, size_t length) {
    return common::Format("格式 : %s\r\n来源 : %s\r\n长度 : %u 字符", Str(label).c_str(), Str(source).c_str(), U(length));
}

std::string ImageHead(std::string_view source, unsigned width, unsigned height) {
    return common::Format("格式 : 图像\r\n来源 : %s\r\n尺寸 : %u x %u", Str(source).c_str(), width, height);
}

std::string FilesHead(std::string_view source, size_t count) {
    return common::Format("格式 : 文件\r\n来源 : %s\r\n包含 : %u 对象", Str(source).c_str(), U(count));
}

std::string WaveHead(std::string_view source) {
    return common::Format("格式 : Wave 声音\r\n来源 : %s\r\n", Str(source).c_str());
}

std::string InfoText(std::string_view head, int kind, bool onClipboard, std::string_view capturedAt) {
    bool pictureOrSound = kind == clips::kImage || kind == clips::kWave;
    const char* status = !onClipboard     ? "状态 : 不在剪贴板中"
                         : pictureOrSound ? "状态 :在剪贴板中"
                                          : "状态 : 在剪贴板中";
    return Str(head) + "\r\n\r\n" + status + "\r\n捕获时间 : " + Str(capturedAt);
}

}  // namespace preview
