// Image clips at full-HD size: the time one capture and one restore take, each
// beside the raw cost of the same data measured in the same run, and the
// memory the process grows by per picture held. A child process plays the
// program that copies the pictures, so every capture reads a picture that
// another process made, as in real use: once as a device-independent bitmap
// (CF_DIB, what X programs and most Windows programs offer), once as a
// device-dependent one (CF_BITMAP).
//   capture <= 1.3 x raw (open the clipboard, take the CF_DIB block, lock it, copy GlobalSize bytes, close)
//   restore <= 1.3 x raw (the same block handed to SetClipboardData)
//   the process grows by <= 1.1 x the raw pixels per picture held
//
//   media_bench.exe                 runs the benchmark and prints each figure beside its target
//   media_bench.exe --copier KIND   (started by the benchmark itself)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <memory>
#include <vector>

#include "BenchClock.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clips/ClipImage_win.h"
#include "toolkit/Handles_win.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kClips = 60;
constexpr double kTimeTarget = 1.3, kMemoryTarget = 1.1;
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

// The other program: on each request, copies a new full-HD picture of the kind asked for.
int RunCopier(bool deviceDependent) {
    toolkit::UniqueKernelHandle copy(OpenEventA(SYNCHRONIZE, FALSE, kCopyEvent));
    toolkit::UniqueKernelHandle copied(OpenEventA(EVENT_MODIFY_STATE, FALSE, kCopiedEvent));
    toolkit::UniqueKernelHandle quit(OpenEventA(SYNCHRONIZE, FALSE, kQuitEvent));
    toolkit::UniqueWindow window(MakeHiddenWindow("copier"));
    if (!copy || !copied || !quit || !window) return 1;

    const size_t pixelBytes = size_t{kWidth} * kHeight * 4;
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(size_t{kWidth} * kHeight);
    toolkit::WindowDC screen(nullptr);
    for (uint32_t round = 0;; ++round) {
        HANDLE waits[2] = {copy.get(), quit.get()};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return 0;
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u + round);
        HANDLE data;
        UINT format;
        if (deviceDependent) {
            HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), kWidth, kHeight);
            SetDIBits(screen.get(), bitmap, 0, kHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                      DIB_RGB_COLORS);
            data = bitmap;
            format = CF_BITMAP;
        } else {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + pixelBytes);
            auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
            std::memcpy(bytes, &header, sizeof(header));
            std::memcpy(bytes + sizeof(header), pixels.data(), pixelBytes);
            GlobalUnlock(block);
            data = block;
            format = CF_DIB;
        }
        {
            toolkit::ClipboardSession clipboard(window.get());
            EmptyClipboard();
            SetClipboardData(format, data);
        }
        SetEvent(copied.get());
    }
}

double Median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void EmptyTheClipboard(HWND window) {
    toolkit::ClipboardSession clipboard(window);
    EmptyClipboard();
}

class Copier {
public:
    explicit Copier(bool deviceDependent) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string command = std::string("\"") + self + "\" --copier " + (deviceDependent ? "bitmap" : "dib");
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            child_.reset(process.hProcess);
            CloseHandle(process.hThread);
        }
    }
    ~Copier() {
        SetEvent(quit_.get());
        WaitForSingleObject(child_.get(), 10000);
    }
    bool Started() const { return static_cast<bool>(child_); }
    bool CopyPicture() {
        SetEvent(copy_.get());
        bool done = WaitForSingleObject(copied_.get(), 30000) == WAIT_OBJECT_0;
        Sleep(5);  // Wine's bridge to the X clipboard reacts to the change in another process
        return done;
    }

private:
    toolkit::UniqueKernelHandle copy_{CreateEventA(nullptr, FALSE, FALSE, kCopyEvent)};
    toolkit::UniqueKernelHandle copied_{CreateEventA(nullptr, FALSE, FALSE, kCopiedEvent)};
    toolkit::UniqueKernelHandle quit_{CreateEventA(nullptr, TRUE, FALSE, kQuitEvent)};
    toolkit::UniqueKernelHandle child_;
};

// The bare read of the block: what any reader of the picture must pay.
double RawReadMs(HWND owner) {
    double start = NowMs();
    toolkit::ClipboardSession clipboard(owner);
    toolkit::GlobalLockGuard block(GetClipboardData(CF_DIB));
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(block.data()),
                              static_cast<const uint8_t*>(block.data()) + block.size());
    return NowMs() - start;
}

// The bare write of the same block.
double RawWriteMs(HWND owner, const std::vector<uint8_t>& dib) {
    double start = NowMs();
    toolkit::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, dib.size()));
    std::memcpy(toolkit::GlobalLockGuard(block.get()).data(), dib.data(), dib.size());
    toolkit::ClipboardSession clipboard(owner);
    EmptyClipboard();
    if (SetClipboardData(CF_DIB, block.get())) block.release();
    return NowMs() - start;
}

bool CaptureOne(clips::TClipImage& clip, HWND owner) {
    toolkit::ClipboardSession clipboard(owner);  // as the capture holds it: one session for the change
    return clipboard && clip.CaptureFromClipboard();
}

void Ratio(const char* what, double ms, double raw, double target) {
    std::printf("  %-8s median %7.2f ms, raw %7.2f ms = %5.2f x raw   (target <= %.1f x)  %s\n", what, ms, raw, ms / raw,
                target, ms / raw <= target ? "ok" : "OVER");
}

int RunBenchmark(bool deviceDependent) {
    Copier copier(deviceDependent);
    toolkit::UniqueWindow owner(MakeHiddenWindow("Pellacor"));
    clipboard::ClipboardOwnerWindow = owner.get();
    if (!copier.Started()) {
        std::printf("cannot start the copier (error %lu)\n", GetLastError());
        return 1;
    }
    std::vector<std::unique_ptr<clips::TClip>> history;
    {
        // Warm-up: the first capture loads what every later one shares.
        if (!copier.CopyPicture()) return 1;
        clips::TClipImage warmUp;
        CaptureOne(warmUp, owner.get());
        warmUp.RestoreToClipboard();
        EmptyTheClipboard(owner.get());
    }

    size_t before = CommittedPrivateBytes();
    std::vector<clips::TClipImage*> clipsHeld;
    std::vector<double> captureMs, rawReadMs, restoreMs, rawWriteMs;
    for (int i = 0; i < kClips; ++i) {
        if (!copier.CopyPicture()) {
            std::printf("the copier did not answer\n");
            return 1;
        }
        auto* clip = new clips::TClipImage;
        double start = NowMs();
        bool captured = CaptureOne(*clip, owner.get());
        captureMs.push_back(NowMs() - start);
        if (!captured) {
            std::printf("capture %d failed\n", i);
            delete clip;
            return 1;
        }
        clip->NameForHistory(20);  // the default caption length
        clip->StampCapture();
        history.push_back(std::unique_ptr<clips::TClip>(clip));
        clipsHeld.push_back(clip);
    }
    size_t withClips = CommittedPrivateBytes();
    // The raw reads after the captures, so that the memory figure is the captures' alone.
    for (int i = 0; i < kClips / 3; ++i) {
        if (!copier.CopyPicture()) return 1;
        rawReadMs.push_back(RawReadMs(owner.get()));
    }
    std::vector<uint8_t> dib;
    {
        toolkit::GlobalLockGuard block(clipsHeld.front()->Bitmap().SaveToDib().release());
        dib.assign(static_cast<const uint8_t*>(block.data()), static_cast<const uint8_t*>(block.data()) + block.size());
        GlobalFree(GlobalHandle(block.data()));
    }
    for (clips::TClipImage* clip : clipsHeld) {
        double start = NowMs();
        clip->RestoreToClipboard();
        restoreMs.push_back(NowMs() - start);
        rawWriteMs.push_back(RawWriteMs(owner.get(), dib));
    }
    EmptyTheClipboard(owner.get());

    const int depth = clipsHeld.front()->Bitmap().BitsPerPixel();
    double heldByClips = 0;
    for (clips::TClipImage* clip : clipsHeld) heldByClips += static_cast<double>(clip->Bitmap().Pixels().size());
    for (clips::TClipImage* clip : clipsHeld) delete clip;
    double raw = static_cast<double>(kClips) * kWidth * kHeight * 4;
    double grown = static_cast<double>(withClips) - static_cast<double>(before);

    std::printf("%d pictures of %d x %d copied as %s, kept at %d bits per pixel\n", kClips, kWidth, kHeight,
                deviceDependent ? "CF_BITMAP" : "CF_DIB", depth);
    Ratio("capture", Median(captureMs), Median(rawReadMs), kTimeTarget);
    Ratio("restore", Median(restoreMs), Median(rawWriteMs), kTimeTarget);
    std::printf("  memory: the process grew by %.1f MB for %.1f MB of raw pixels = %.3f x raw   (target <= %.1f x)  %s\n",
                grown / 1e6, raw / 1e6, grown / raw, kMemoryTarget, grown / raw <= kMemoryTarget ? "ok" : "OVER");
    std::printf("    of which the clips' pixels are %.3f x raw; the rest is what the platform made in this process\n"
                "    to hand over the pictures and did not give back\n",
                heldByClips / raw);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--copier") == 0) return RunCopier(std::strcmp(argv[2], "bitmap") == 0);
    int failed = RunBenchmark(false);
    failed |= RunBenchmark(true);
    return failed;
}
