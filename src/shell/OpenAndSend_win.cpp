#include "shell/OpenAndSend_win.h"

#include <windows.h>
#include <shellapi.h>

#include "common/MessageBox_win.h"
#include "shell/MailAddress.h"
#include "toolkit/Application_win.h"
#include "toolkit/Handles_win.h"

namespace shell {
namespace {
// The shell's results of 32 or less are failures. It sets the last error as
// well; should it not, its own result names the failure.
void ShowShellError(INT_PTR result) {
    DWORD code = GetLastError();
    if (code == 0) code = result == SE_ERR_NOASSOC ? ERROR_NO_ASSOCIATION : static_cast<DWORD>(result);
    common::ShowSystemError(code);
}

// Removes the temporary page however the command ends; a failure to remove it is ignored.
struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() { DeleteFileA(path.c_str()); }
};
}  // namespace

bool ShellOpen(const std::string& file, const std::string& parameters) {
    EndMenu();
    SetLastError(0);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        ShowShellError(result);
        return false;
    }
    toolkit::Application::Instance().ProcessMessages();
    return true;
}

void SendAsMail(const std::string& text) {
    ShellOpen(MailAddress(text));
    toolkit::Application::Instance().ProcessMessages();
}

void Open(const std::string& link) { ShellOpen(link); }

std::string TemporaryPagePath() {
    char folder[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(sizeof(folder), folder);
    // A name of ours: a "Tmp.htm" there may belong to another program.
    return std::string(folder, n <= MAX_PATH ? n : 0) + "Pellacor-Tmp.htm";
}

void OpenInNewWindow(const std::string& link) {
    RemovedAtEnd page{TemporaryPagePath()};
    toolkit::UniqueFile file(CreateFileA(page.path.c_str(), 0, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) {
        common::ShowLastError();
        return;
    }
    file.reset();
    char program[MAX_PATH + 1] = {};
    SetLastError(0);
    auto result = reinterpret_cast<INT_PTR>(FindExecutableA(page.path.c_str(), nullptr, program));
    if (result <= 32) {
        ShowShellError(result);
        return;
    }
    ShellOpen(program, link);
}

}  // namespace shell
