#include "shell/OpenAndSend_win.h"

#include <windows.h>
#include <shellapi.h>

#include "common/Report_win.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "shell/MailAddress.h"
#include "shell/ShellResult.h"
#include "toolkit/Application_win.h"
#include "toolkit/Handles_win.h"

namespace shell {
namespace {
// The shell sets the last error as well; should it not, its own result
// names the failure (its numbers are not system error codes).
[[noreturn]] void ThrowShellError(INT_PTR result) {
    DWORD code = GetLastError();
    if (code != 0) throw common::Win32Error(code);
    throw common::Failure(ShellResultText(result));
}

// Removes the temporary page however the command ends. A failure to remove it
// is ignored: the next command overwrites the page, and it holds nothing.
struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() { DeleteFileW(common::Wide(path).c_str()); }
};
}  // namespace

void ShellOpen(const std::string& file, const std::string& parameters) {
    EndMenu();
    SetLastError(0);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", common::Wide(file).c_str(), common::Wide(parameters).c_str(), nullptr,
                      SW_SHOWNORMAL));
    if (ShellFailed(result)) ThrowShellError(result);
    toolkit::Application::Instance().ProcessMessages();
}

void SendAsMail(const std::string& text) {
    common::RunReported([&] { ShellOpen(MailAddress(text)); });
    toolkit::Application::Instance().ProcessMessages();
}

void Open(const std::string& link) {
    common::RunReported([&] { ShellOpen(link); });
}

std::string TemporaryPagePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    // A name of ours: a "Tmp.htm" there may belong to another program.
    return common::Utf8(std::wstring_view(folder, n <= MAX_PATH ? n : 0)) + "Pellacor-Tmp.htm";
}

void OpenInNewWindow(const std::string& link) {
    common::RunReported([&] {
        RemovedAtEnd page{TemporaryPagePath()};
        const std::wstring path = common::Wide(page.path);
        toolkit::UniqueFile file(CreateFileW(path.c_str(), 0, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (!file) common::ThrowLastError();
        file.reset();
        wchar_t program[MAX_PATH + 1] = {};
        SetLastError(0);
        auto result = reinterpret_cast<INT_PTR>(FindExecutableW(path.c_str(), nullptr, program));
        if (ShellFailed(result)) ThrowShellError(result);
        ShellOpen(common::Utf8(program), link);
    });
}

}  // namespace shell
