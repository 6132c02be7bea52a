#include "common/Report.h"

namespace common {

const char* TitleText(BoxTitle title) noexcept {
    switch (title) {
    case BoxTitle::Error: return "PELLACOR : 错误 ";
    case BoxTitle::Warning: return "PELLACOR: 警告   ";
    case BoxTitle::EmptyName: return "警告   ";
    case BoxTitle::Confirm: return "确认   ";
    case BoxTitle::ConfirmEmptyHistory: return "确认 ";
    case BoxTitle::HistorySize: return "最大历史纪录";
    case BoxTitle::CaptionLength: return "最大标题长度";
    case BoxTitle::HotKey: return "快捷键 ";
    case BoxTitle::PersonalHistoryPath: return "个人历史路径";
    case BoxTitle::KeepHistoryDays: return "保留天数";
    case BoxTitle::KeepHistoryMB: return "最大存档大小";
    }
    return "PELLACOR";  // not reached: every title is listed above
}

}  // namespace common
