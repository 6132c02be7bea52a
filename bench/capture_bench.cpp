// Capture speed and memory per text clip. Run under Wine (or Windows); every
// figure is printed beside its target. Each capture is set beside the raw cost
// of the same data measured in the same run: open the clipboard, take the
// CF_UNICODETEXT block, lock it, copy GlobalSize bytes, close. The texts mix
// ASCII and Chinese; their sizes are those of the UTF-8 that a clip holds.
//   1 KB and 1 MB texts, 500 clips held, duplicates refused, all distinct:
//                                        capture <= 2 x raw, 1 KB <= 1 ms
//   memory held per text clip:           <= 2 x text + 1 KB
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "BenchClipboard.h"
#include "BenchClock.h"
#include "clipboard/ClipboardChange_win.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "clips/ClipKinds_win.h"
#include "common/MessageBox_win.h"
#include "common/Settings.h"
#include "history/History_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/Window_win.h"

// Live heap bytes of the C++ allocations, for the memory figure.
namespace {
std::atomic<long long> g_liveBytes{0};
constexpr size_t kHeader = 16;

void* CountedAlloc(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    g_liveBytes += static_cast<long long>(size);
    return block + kHeader;
}

void CountedFree(void* p) noexcept {
    if (!p) return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    g_liveBytes -= static_cast<long long>(*reinterpret_cast<size_t*>(block));
    std::free(block);
}
}  // namespace

void* operator new(size_t size) { return CountedAlloc(size); }
void* operator new[](size_t size) { return CountedAlloc(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { CountedFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { CountedFree(p); }

namespace {

class HiddenWindow : public toolkit::Window {
public:
    HiddenWindow() { CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, "bench"); }
};

// "Another program" puts a text on the clipboard.
void PutText(HWND owner, const std::string& text) {
    toolkit::ClipboardSession session(owner);
    if (!session) {
        std::fprintf(stderr, "clipboard busy\n");
        std::exit(2);
    }
    EmptyClipboard();
    PutTextBlock(text);
}

// A text of `size` bytes, distinct for each `n`: the number stands at the
// start (compares stop early) or at the end (every compare runs to the end).
std::string Text(size_t size, int n, bool numberAtEnd) {
    char number[32];
    int length = std::snprintf(number, sizeof(number), "#%09d ", n);
    std::string filler;
    const char words[] = "clipboard history 剪贴板历史 ";
    // Whole words, then blanks: no character is cut in half.
    while (filler.size() + sizeof(words) - 1 + static_cast<size_t>(length) <= size) filler += words;
    filler.resize(size - static_cast<size_t>(length), ' ');
    return numberAtEnd ? filler + number : number + filler;
}

struct Timing {
    double median, worst;
};

Timing Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    // Wine leaves PrivateUsage at 0; the working set is the closest figure it reports.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.WorkingSetSize;
}

struct Bench {
    HiddenWindow other, ours;
    toolkit::MenuItem root;
    toolkit::MenuItem* menu;
    common::Settings settings;  // duplicates refused, as by default
    std::unique_ptr<history::History> history;
    int next = 0;

    Bench() {
        clipboard::ClipboardOwnerWindow = ours.Handle();
        auto item = std::make_unique<toolkit::MenuItem>("history");
        menu = item.get();
        root.Add(std::move(item));
        history = std::make_unique<history::History>(*menu, settings);
    }

    void Clear() {
        history->Empty(history::Section::Clipboard);
        history->UpdateHistory();
    }

    // Another program copies `text`. Wine's bridge to the X clipboard reacts to
    // each change in another process; it is let finish so that only our own
    // work is timed.
    void Put(const std::string& text) {
        PutText(other.Handle(), text);
        Sleep(3);
    }

    double CaptureMs(const std::string& text) {
        Put(text);
        double start = NowMs();
        history->ClipboardChanged();
        return NowMs() - start;
    }

    // The physical limit: the bare read of the same block.
    double RawMs(const std::string& text) {
        Put(text);
        double start = NowMs();
        {
            toolkit::ClipboardSession session(ours.Handle());
            toolkit::GlobalLockGuard lock(GetClipboardData(CF_UNICODETEXT));
            std::vector<char> copy(static_cast<const char*>(lock.data()),
                                   static_cast<const char*>(lock.data()) + lock.size());
            if (copy.empty()) std::fprintf(stderr, "raw read found nothing\n");
        }
        return NowMs() - start;
    }

    // Where the time of one capture goes: the read in one clipboard session,
    // the duplicate search, and appending with the history's update.
    void Breakdown(size_t size, bool numberAtEnd) {
        std::vector<double> read, duplicates, append;
        for (int i = 0; i < 100; ++i) {
            Put(Text(size, next++, numberAtEnd));
            double start = NowMs();
            std::vector<clips::CapturedClip> captured;
            std::optional<clipboard::ClipboardChange> change = clipboard::ReadClipboardChange(
                0, settings.IgnoredPrograms,
                [&](const clipboard::ClipboardFormats& offered) { captured = clips::CaptureOffered(offered); });
            double readDone = NowMs();
            if (!change || captured.empty() || !captured[0].clip) {
                std::fprintf(stderr, "nothing read\n");
                return;
            }
            bool duplicate = history->FindDuplicate(*captured[0].clip);
            double searched = NowMs();
            history->Append(std::move(captured[0].clip));
            double appended = NowMs();
            if (duplicate) std::fprintf(stderr, "unexpected duplicate\n");
            read.push_back(readDone - start);
            duplicates.push_back(searched - readDone);
            append.push_back(appended - searched);
        }
        std::printf("  where it goes (%zu bytes, %d held): read in one session %.3f ms, duplicate search %.3f ms, "
                    "append and update %.3f ms\n",
                    size, history->ClipboardCount(), Summarise(read).median, Summarise(duplicates).median,
                    Summarise(append).median);
    }

    struct Run {
        Timing capture, raw;
    };
    Run Measure(size_t size, int held, int runs, bool numberAtEnd) {
        Clear();
        settings.MaxHistorySize = held;
        for (int i = 0; i < held; ++i) CaptureMs(Text(size, next++, numberAtEnd));
        std::vector<double> capture, raw;
        for (int i = 0; i < runs; ++i) {
            std::string text = Text(size, next++, numberAtEnd);
            raw.push_back(RawMs(text));
            capture.push_back(CaptureMs(text));
        }
        if (history->ClipboardCount() != held) std::fprintf(stderr, "unexpected history size\n");
        return {Summarise(capture), Summarise(raw)};
    }

    // Bytes held per clip, by the C++ heap and by the process.
    void Memory(size_t size, int clips) {
        Clear();
        settings.MaxHistorySize = clips;
        std::vector<std::string> texts;
        for (int i = 0; i < clips; ++i) texts.push_back(Text(size, next++, false));
        long long heapBefore = g_liveBytes;
        SIZE_T privateBefore = WorkingSet();
        for (const std::string& text : texts) CaptureMs(text);
        long long heapAfter = g_liveBytes;
        SIZE_T privateAfter = WorkingSet();
        double perClip = static_cast<double>(heapAfter - heapBefore) / clips;
        double processPerClip = (static_cast<double>(privateAfter) - static_cast<double>(privateBefore)) / clips;
        double target = 2.0 * static_cast<double>(size) + 1024.0;
        // The process figure is coarse: small clips reuse heap freed by earlier runs.
        char process[32] = "reused heap";
        if (processPerClip > 0) std::snprintf(process, sizeof(process), "%.0f B", processPerClip);
        std::printf("memory per %7zu-byte text clip (%3d held): heap %8.0f B (process %11s)   target <= %8.0f B  %s\n",
                    size, clips, perClip, process, target, perClip <= target ? "ok" : "OVER");
    }
};

void Report(const char* what, const Bench::Run& run, double absoluteMs = 0) {
    double ratio = run.capture.median / run.raw.median;
    bool ok = ratio <= 2.0 || (absoluteMs > 0 && run.capture.median <= absoluteMs);
    char target[32] = "target <= 2.0 x";
    if (absoluteMs > 0) std::snprintf(target, sizeof(target), "target <= %.0f ms", absoluteMs);
    std::printf("%-50s capture median %8.3f ms (worst %8.3f)  raw %7.3f ms  = %5.2f x raw   %s  %s\n", what,
                run.capture.median, run.capture.worst, run.raw.median, ratio, target, ok ? "ok" : "OVER");
}

}  // namespace

int main() {
    toolkit::Application::Instance().Initialize("PellacorBench");
    common::SetMessageBoxHandler([](HWND, const std::string& text, const std::string&, UINT) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return IDOK;
    });
    Bench bench;
    Report("1 KB text, 500 held, distinct from the first byte", bench.Measure(1024, 500, 200, false), 1.0);
    Report("1 KB text, 500 held, distinct in the last bytes", bench.Measure(1024, 500, 200, true), 1.0);
    bench.Breakdown(1024, true);
    std::printf("  (the read makes seven calls to the system where the raw read makes three: open, sequence\n"
                "   number, owner, the list of formats, the data, the sequence number again, close)\n");
    Report("1 MB text, 500 held, distinct from the first byte", bench.Measure(1 << 20, 500, 15, false));
    Report("1 MB text, 500 held, distinct in the last bytes", bench.Measure(1 << 20, 500, 15, true));
    bench.Breakdown(1 << 20, true);
    bench.Memory(1024, 500);
    bench.Memory(1 << 20, 20);
    return 0;
}
