// The hover preview's costs, in the main form with its real menus:
//   idle, no menu open, 20 clips held: wake-ups and CPU time over 30 s   (target: no wake-up at all)
//   preview of a 1920 x 1080 picture: from the tick to the window painted (target <= 30 ms)
//
//   preview_bench.exe [idle seconds]
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "app/MainForm_win.h"
#include "clips/ClipImage_win.h"
#include "common/Settings.h"
#include "toolkit/Application_win.h"
#include "toolkit/Handles_win.h"

namespace {

constexpr int kClips = 20, kWidth = 1920, kHeight = 1080, kShows = 15;
constexpr double kPreviewTargetMs = 30.0;

// A scratch folder whose settings leave the hot key and the viewer chain alone.
std::string ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "PellacorPreviewBench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    toolkit::UniqueFile ini(CreateFileA((folder + "Pellacor.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    const char text[] = "[Configuration]\r\nMonitorClipboard=0\r\nHotKeyOn=0\r\nPreviewMode=1\r\n";
    DWORD written = 0;
    WriteFile(ini.get(), text, sizeof(text) - 1, &written, nullptr);
    return folder;
}

void CopyText(HWND other, const std::string& text) {
    toolkit::ClipboardSession clipboard(other);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    {
        toolkit::GlobalLockGuard lock(block);
        std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(lock.data()));
    }
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
}

double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

int ThreadCount() {
    toolkit::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    return count;
}

void MeasureIdle(int seconds) {
    std::map<UINT, int> messages;
    int wakeUps = 0;
    double cpuBefore = CpuMs(), end = NowMs() + seconds * 1000.0;
    for (double now = NowMs(); now < end; now = NowMs()) {
        DWORD result = MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now) + 1, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
        if (result == WAIT_TIMEOUT) continue;
        ++wakeUps;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ++messages[msg.message];
            DispatchMessageA(&msg);
        }
    }
    std::printf("idle for %d s, no menu open, %d clips held:\n", seconds, kClips);
    std::printf("  wake-ups: %d   (target: 0)\n", wakeUps);
    for (const auto& [message, count] : messages) std::printf("    message 0x%04X: %d\n", message, count);
    std::printf("  timer messages: %d; CPU time: %.1f ms; threads of the process: %d\n",
                messages[WM_TIMER], CpuMs() - cpuBefore, ThreadCount());
}

void MeasurePreview(app::TfrmMain& form) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    toolkit::WindowDC screen(nullptr);
    toolkit::UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
    SetDIBits(screen.get(), picture.get(), 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
    auto* clip = new clips::TClipImage;  // owned by the history once appended
    toolkit::Bitmap bitmap;
    bitmap.LoadFromClipboardFormat(picture.get(), nullptr);
    clip->SetBitmap(bitmap);
    clip->SetKind(clips::kImage);
    form.History().AppendLoaded(std::unique_ptr<clips::TClip>(clip));

    preview::HoverPreview& hover = *form.Hover();
    SetCursorPos(1000, 700);
    std::vector<double> ms, windowMs;
    for (int i = 0; i <= kShows; ++i) {
        hover.Hide();
        hover.HoverIndex = form.History().Menu().IndexOf(*clip);
        double start = NowMs();
        hover.HoverTimerTimer(hover.HoverTimer);  // shows and paints before it returns
        double shown = NowMs() - start;
        // The window alone: made, shown and painted again with a text, no picture.
        std::string caption = hover.Preview.Caption();
        hover.Preview.ReleaseHandle();
        start = NowMs();
        hover.Preview.ShowText("", caption);
        double window = NowMs() - start;
        if (i == 0) continue;  // the first showing loads what every later one shares
        ms.push_back(shown);
        windowMs.push_back(window);
    }
    hover.Hide();
    std::sort(ms.begin(), ms.end());
    std::sort(windowMs.begin(), windowMs.end());
    std::printf("preview of a %d x %d picture, tick to painted: median %.2f ms, slowest %.2f ms   (target <= %.0f ms)\n",
                kWidth, kHeight, ms[ms.size() / 2], ms.back(), kPreviewTargetMs);
    std::printf("  of which the window itself (made, shown, painted; a text preview of the same info):\n"
                "  median %.2f ms, slowest %.2f ms; the rest is squeezing the picture and building the texts\n",
                windowMs[windowMs.size() / 2], windowMs.back());
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    toolkit::Application::Instance().Initialize("PellacorBench");
    std::string folder = ScratchFolder();
    {
        app::TfrmMain form(folder);
        toolkit::UniqueWindow other(CreateWindowExA(0, "STATIC", "other", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                                    nullptr));
        for (int i = 0; i < kClips; ++i) {
            CopyText(other.get(), "clip number " + std::to_string(i));
            form.ClipboardChanged();
        }
        toolkit::Application::Instance().ProcessMessages();
        MeasureIdle(seconds);
        MeasurePreview(form);
        toolkit::ClipboardSession clipboard(other.get());
        EmptyClipboard();
    }
    DeleteFileA((folder + "Pellacor.ini").c_str());
    DeleteFileA((folder + "Personal.dat").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
