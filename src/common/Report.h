#pragma once
// What the user is told, without the platform: a problem's text and weight,
// and the one table of the titles every box of the program is shown under.
// Showing them is Report_win.h's work.
#include <optional>
#include <string>

namespace common {

// Error: something the user asked for or expects did not happen. Warning: the
// program only had to make do (a setting replaced by its default, clips saved
// beside a file, a typed value refused).
enum class Severity { Warning, Error };

// Every box title of the program. The blanks are part of each text, as the
// user has always seen it; two boxes that differ only in blanks keep theirs.
enum class BoxTitle {
    Error,                // "PELLACOR : 错误 ": anything failed
    Warning,              // "PELLACOR: 警告   ": the program only made do
    EmptyName,            // "警告   ": a clip's new name was blank
    Confirm,              // "确认   ": delete one clip, empty the clipboard
    ConfirmEmptyHistory,  // "确认 ": empty a history
    // A preference the dialog refused: the title names the value.
    HistorySize,          // "最大历史纪录"
    CaptionLength,        // "最大标题长度"
    HotKey,               // "快捷键 "
    PersonalHistoryPath,  // "个人历史路径"
    KeepHistoryDays,      // "保留天数"
    KeepHistoryMB,        // "最大存档大小"
};
const char* TitleText(BoxTitle title) noexcept;

struct Problem {
    std::string Text;
    Severity Kind = Severity::Error;
    // Its own title when it is told alone; none: the title of its severity.
    std::optional<BoxTitle> Title = std::nullopt;
    bool operator==(const Problem&) const = default;
};

}  // namespace common
