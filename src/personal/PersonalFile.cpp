#include "personal/PersonalFile.h"

#include "common/Text.h"

namespace personal {

std::string PersonalFilePath(std::string_view folder) {
    return common::Format("%sPersonal.dat", std::string(folder).c_str());
}

std::string PersonalTempPath(std::string_view folder) { return PersonalFilePath(folder) + ".tmp"; }

namespace {
std::string CopyPath(std::string_view folder, int attempt, const char* extension) {
    std::string base = PersonalFilePath(folder);
    return attempt == 0 ? common::Format("%s.%s", base.c_str(), extension)
                        : common::Format("%s.%d.%s", base.c_str(), attempt, extension);
}
}  // namespace

std::string DamagedCopyPath(std::string_view folder, int attempt) { return CopyPath(folder, attempt, "bad"); }

std::string OtherCopyPath(std::string_view folder, int attempt) { return CopyPath(folder, attempt, "old"); }

std::string OtherFileMessage(std::string_view path, const std::optional<std::string>& keptAt,
                             std::string_view keepFailure) {
    std::string text = common::Format("个人历史的保存路径中已有个人历史文件 %s, 它不是本程序读入的.",
                                      std::string(path).c_str());
    if (keptAt)
        text += common::Format("\n为了不覆盖它, 已将其保留为 %s.", keptAt->c_str());
    else
        text += common::Format("\n它无法另存, 所以个人历史没有保存, 以免覆盖它: %s", std::string(keepFailure).c_str());
    return text;
}

std::string SideCopyPath(std::string_view folder, int attempt) {
    std::string base = PersonalFilePath(folder);
    return attempt == 0 ? base + ".new" : common::Format("%s.%d.new", base.c_str(), attempt);
}

std::string DamagedFileMessage(std::string_view path, std::string_view reason, std::size_t clipsRead,
                               const std::optional<std::string>& keptAt, std::string_view keepFailure) {
    std::string text = common::Format("个人历史文件 %s 无法完整读取:\n%s\n已读入其前面的 %s 个剪辑.",
                                      std::string(path).c_str(), std::string(reason).c_str(),
                                      std::to_string(clipsRead).c_str());
    if (keptAt)
        text += common::Format("\n原文件已保留为 %s.", keptAt->c_str());
    else
        text += common::Format("\n原文件无法另存: %s\n退出时不会覆盖它: 个人历史将保存在它旁边.",
                               std::string(keepFailure).c_str());
    return text;
}

std::string SavedBesideMessage(std::string_view path, std::string_view beside) {
    return common::Format("个人历史文件 %s 在启动时没有完整读取, 为了不覆盖其中未读的剪辑, 它保持原样.\n"
                          "个人历史已保存为 %s.",
                          std::string(path).c_str(), std::string(beside).c_str());
}

}  // namespace personal
