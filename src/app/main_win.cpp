// The program entry: one copy per logon session, no window of its own.
#include <windows.h>
#include <commctrl.h>

#include "app/MainForm_win.h"
#include "common/Report_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/Handles_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetLastError(0);
    // Held until the process ends: its existence is the single-instance lock.
    toolkit::UniqueKernelHandle lock(CreateMutexW(nullptr, TRUE, L"pellacor"));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        common::ReportTo(nullptr, {"一个 PELLACOR 已存在.", common::Severity::Warning});
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    toolkit::Application& application = toolkit::Application::Instance();
    application.Initialize("Pellacor");
    SetWindowLongW(application.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    {
        app::TfrmMain form;
        application.Run();
    }  // the form's destruction runs the shutdown
    return 0;
}
