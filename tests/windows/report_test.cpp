// The one report routine: which title and icon a box gets, and that no
// library's English reaches it, also through the general error handler.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "TestSupport_win.h"
#include "common/Report_win.h"
#include "common/Win32Error_win.h"

using namespace testing_support;

namespace {
const char kInternal[] = "程序内部出错, 这一步没有完成.";

// A window whose handler fails as a command could.
class FailingWindow : public toolkit::Window {
public:
    FailingWindow() { CreateHandle(0, WS_POPUP, nullptr, "Failing"); }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_APP) throw std::runtime_error("an English sentence");
        if (msg == WM_APP + 1) throw common::Win32Error(ERROR_ACCESS_DENIED);
        return DefaultProc(msg, wParam, lParam);
    }
};
}  // namespace

TEST(Report, TheTitleSaysWhetherAnythingFailedAndEveryListIsOneBox) {
    using common::Severity;
    MessageBoxRecorder boxes;
    common::Report(common::Win32Error(ERROR_FILE_NOT_FOUND));
    common::Report(common::Failure("我们自己的说明."));
    common::Report(std::vector<common::Problem>{{"设置甲.", Severity::Warning}, {"设置乙.", Severity::Warning}});
    common::Report(std::vector<common::Problem>{{"设置甲.", Severity::Warning}, {"步骤失败.", Severity::Error}});
    common::Report(std::vector<common::Problem>{});  // nothing to tell: no box
    const std::string error = common::TitleText(common::BoxTitle::Error);
    const std::string warning = common::TitleText(common::BoxTitle::Warning);
    EXPECT_EQ(error, "PELLACOR : 错误 ");
    EXPECT_EQ(warning, "PELLACOR: 警告   ");
    EXPECT_EQ(boxes.boxes, (std::vector<RecordedBox>{
                               {common::SystemErrorText(ERROR_FILE_NOT_FOUND), error, MB_ICONERROR},
                               {"我们自己的说明.", error, MB_ICONERROR},
                               {"设置甲.\n\n设置乙.", warning, MB_ICONWARNING | MB_OK},
                               {"设置甲.\n\n步骤失败.", error, MB_ICONERROR},
                           }));
}

TEST(Report, LibraryFailuresGetOurTextsAlsoThroughTheGeneralHandler) {
    MessageBoxRecorder boxes;
    common::Report(std::bad_alloc());
    common::Report(std::out_of_range("vector::_M_range_check"));
    FailingWindow window;
    SendMessageA(window.Handle(), WM_APP, 0, 0);
    SendMessageA(window.Handle(), WM_APP + 1, 0, 0);
    const std::string error = common::TitleText(common::BoxTitle::Error);
    EXPECT_EQ(boxes.boxes, (std::vector<RecordedBox>{
                               {common::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY), error, MB_ICONERROR},
                               {kInternal, error, MB_ICONERROR},
                               {kInternal, error, MB_ICONERROR},
                               {common::SystemErrorText(ERROR_ACCESS_DENIED), error, MB_ICONERROR},
                           }));
}

TEST(Report, APlatformFailureShowsItsCodeAfterWhatCouldNotBeDone) {
    MessageBoxRecorder boxes;
    common::Win32Error failure(ERROR_ACCESS_DENIED, "无法写入 甲.ini:");
    EXPECT_EQ(failure.Code(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    common::Report(failure);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "无法写入 甲.ini:\n" + common::SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_NE(boxes.boxes[0].text.find("(错误代码 5)"), std::string::npos) << boxes.boxes[0].text;
}
