#include "app/TrayTip.h"

#include "common/CodePage.h"
#include "common/Text.h"

namespace app {

const char* const kInitialTrayTip = "PELLACOR  [ 0 剪辑 - 0 个人剪辑  ]";

namespace {
std::string CutTo63(std::string text) {
    text.resize(common::WidthPrefix(text, 63));
    return text;
}
}  // namespace

std::string TrayTipText(unsigned clipboardCount, unsigned personalCount) {
    std::string first = CutTo63(common::Format("PELLACOR [ %u 剪辑 - ", clipboardCount));
    return CutTo63(common::Format("%s %u 个人剪辑 ]", first.c_str(), personalCount));
}

}  // namespace app
