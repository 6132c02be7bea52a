#pragma once
// The tray icon's tip, which counts both histories.
#include <string>

namespace app {

// The tip shown before the first count: "PELLACOR  [ 0 剪辑 - 0 个人剪辑  ]".
extern const char* const kInitialTrayTip;

// "PELLACOR [ %u 剪辑 - " then "%s %u 个人剪辑 ]", each cut to 63 bytes,
// so the result always fits the 64-byte tip field with its zero.
std::string TrayTipText(unsigned clipboardCount, unsigned personalCount);

}  // namespace app
