// Image clips at full-HD size: the memory 100 of them hold, and the time one
// capture and one restore take. A child process plays the program that copies
// the pictures, so every capture reads a bitmap that another process made, as
// in real use.
//
//   media_bench.exe            runs the benchmark and prints each figure beside its target
//   media_bench.exe --copier   (started by the benchmark itself)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "clips/ClipImage_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/MenuItem_win.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kClips = 100;
constexpr double kMemoryTarget = 1.15;  // times the raw pixel bytes
constexpr double kTimeTargetMs = 30.0;
const char kCopyEvent[] = "PellacorBenchCopy";
const char kCopiedEvent[] = "PellacorBenchCopied";
const char kQuitEvent[] = "PellacorBenchQuit";

// Bytes of committed private memory of this process, from the address space itself.
size_t CommittedPrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof(info)) == sizeof(info);
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    }
    return total;
}

HWND MakeHiddenWindow(const char* title) {
    return CreateWindowExA(0, "STATIC", title, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

// The other program: on each request, copies a new full-HD picture.
int RunCopier() {
    toolkit::UniqueKernelHandle copy(OpenEventA(SYNCHRONIZE, FALSE, kCopyEvent));
    toolkit::UniqueKernelHandle copied(OpenEventA(EVENT_MODIFY_STATE, FALSE, kCopiedEvent));
    toolkit::UniqueKernelHandle quit(OpenEventA(SYNCHRONIZE, FALSE, kQuitEvent));
    toolkit::UniqueWindow window(MakeHiddenWindow("copier"));
    if (!copy || !copied || !quit || !window) return 1;

    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    toolkit::WindowDC screen(nullptr);
    for (uint32_t round = 0;; ++round) {
        HANDLE waits[2] = {copy.get(), quit.get()};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return 0;
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u + round);
        HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), kWidth, kHeight);
        SetDIBits(screen.get(), bitmap, 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
        {
            toolkit::ClipboardSession clipboard(window.get());
            EmptyClipboard();
            if (!SetClipboardData(CF_BITMAP, bitmap)) DeleteObject(bitmap);
        }
        SetEvent(copied.get());
    }
}

struct Stats {
    double median, max;
};
Stats Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void EmptyTheClipboard(HWND window) {
    toolkit::ClipboardSession clipboard(window);
    EmptyClipboard();
}

int RunBenchmark() {
    toolkit::UniqueKernelHandle copy(CreateEventA(nullptr, FALSE, FALSE, kCopyEvent));
    toolkit::UniqueKernelHandle copied(CreateEventA(nullptr, FALSE, FALSE, kCopiedEvent));
    toolkit::UniqueKernelHandle quit(CreateEventA(nullptr, TRUE, FALSE, kQuitEvent));
    toolkit::UniqueWindow owner(MakeHiddenWindow("Pellacor"));
    clips::ClipboardOwnerWindow = owner.get();

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --copier";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start the copier (error %lu)\n", GetLastError());
        return 1;
    }
    toolkit::UniqueKernelHandle child(process.hProcess), childThread(process.hThread);
    auto copyPicture = [&] {
        SetEvent(copy.get());
        return WaitForSingleObject(copied.get(), 30000) == WAIT_OBJECT_0;
    };

    toolkit::MenuItem history;
    {
        // Warm-up: the first capture loads what every later one shares.
        if (!copyPicture()) return 1;
        clips::TClipImage warmUp;
        warmUp.CaptureFromClipboard();
        warmUp.RestoreToClipboard();
        EmptyTheClipboard(owner.get());
    }

    size_t before = CommittedPrivateBytes();
    std::vector<clips::TClipImage*> clipsHeld;
    std::vector<double> captureMs, restoreMs, copyInMs, copyOutMs;
    for (int i = 0; i < kClips; ++i) {
        if (!copyPicture()) {
            std::printf("the copier did not answer\n");
            return 1;
        }
        auto* clip = new clips::TClipImage;
        double start = NowMs();
        bool captured = clip->CaptureFromClipboard();
        captureMs.push_back(NowMs() - start);
        if (!captured) {
            std::printf("capture %d failed\n", i);
            delete clip;
            return 1;
        }
        clip->AddToHistory(history, {});
        clipsHeld.push_back(clip);
        {
            // Our own share of a capture: the copy of a bitmap already in this process.
            toolkit::Bitmap copy;
            start = NowMs();
            copy.LoadFromClipboardFormat(clip->Bitmap().Handle(), nullptr);
            copyInMs.push_back(NowMs() - start);
        }
    }
    for (clips::TClipImage* clip : clipsHeld) {
        double start = NowMs();
        clip->RestoreToClipboard();
        restoreMs.push_back(NowMs() - start);
        start = NowMs();
        toolkit::Bitmap::ClipboardData data = clip->Bitmap().SaveToClipboardFormat();
        copyOutMs.push_back(NowMs() - start);
    }
    EmptyTheClipboard(owner.get());
    SetEvent(quit.get());
    WaitForSingleObject(child.get(), 10000);

    // What the clips hold is what their destruction gives back.
    const int depth = clipsHeld.front()->Bitmap().BitsPerPixel();
    size_t withClips = CommittedPrivateBytes();
    for (clips::TClipImage* clip : clipsHeld) delete clip;
    size_t withoutClips = CommittedPrivateBytes();
    double held = static_cast<double>(withClips - withoutClips);
    double grown = static_cast<double>(withClips - before);

    double raw = static_cast<double>(kClips) * kWidth * kHeight * 4;
    Stats capture = Summarise(captureMs), restore = Summarise(restoreMs);
    Stats copyIn = Summarise(copyInMs), copyOut = Summarise(copyOutMs);
    std::printf("image clips: %d of %d x %d, kept at %d bits per pixel\n", kClips, kWidth, kHeight, depth);
    std::printf("memory held by the clips: %.1f MB for %.1f MB of raw 32-bit pixels = %.3f x raw   (target <= %.2f x)\n",
                held / 1e6, raw / 1e6, held / raw, kMemoryTarget);
    std::printf("  (the process grew by %.1f MB = %.3f x raw: the rest is the platform's own copies of the\n"
                "   pictures read from the other process, which the clips do not own)\n",
                grown / 1e6, grown / raw);
    std::printf("capture of one image: median %.2f ms, slowest %.2f ms   (target <= %.0f ms)\n", capture.median,
                capture.max, kTimeTargetMs);
    std::printf("  of which copying the pixels: median %.2f ms, slowest %.2f ms (the rest is the transfer from\n"
                "  the other process)\n", copyIn.median, copyIn.max);
    std::printf("restore of one image: median %.2f ms, slowest %.2f ms   (target <= %.0f ms)\n", restore.median,
                restore.max, kTimeTargetMs);
    std::printf("  of which making the new bitmap: median %.2f ms, slowest %.2f ms (the rest is the handover\n"
                "  to the clipboard)\n", copyOut.median, copyOut.max);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--copier") == 0) return RunCopier();
    return RunBenchmark();
}
