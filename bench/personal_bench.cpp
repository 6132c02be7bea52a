// Saving and loading the personal history: clips to records to Personal.dat and
// back into clips. Run under Wine (or Windows); figures beside targets:
//   1,000 text clips of 1 KB:        <= 50 ms to save, <= 50 ms to load
//   20 image clips of 1920 x 1080:   >= 200 MB/s to save, >= 200 MB/s to load
//   a personal change with those 20 pictures kept: <= 16 ms on the GUI thread
//   a 50 MB history saved while the program runs: the copy taken on the GUI
//   thread (what a menu could notice) <= 50 ms; the worker's save is printed
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipRecords_win.h"
#include "clips/ClipText_win.h"
#include "personal/PersonalAutoSave_win.h"
#include "personal/PersonalFile_win.h"
#include "toolkit/BmpFile.h"

namespace {
using Clips = std::vector<std::unique_ptr<clips::TClip>>;

double Seconds(const std::function<void()>& body) {
    double start = NowMs();
    body();
    return (NowMs() - start) / 1000.0;
}

void Save(const std::string& folder, Clips& menu) {
    std::vector<personal::ClipRecord> records;
    records.reserve(menu.size());
    for (const auto& clip : menu)
        if (auto record = clips::RecordOfClip(*clip, false))
            records.push_back(std::move(*record));
    try {
        personal::SavePersonalFile(folder, records);
    } catch (const std::exception& e) {
        std::printf("save failed: %s\n", e.what());
    }
}

int Load(const std::string& folder, Clips& menu) {
    auto result = personal::LoadPersonalFile(folder, [&](personal::ClipRecord& record) {
        menu.push_back(clips::ClipOfRecord(record));
    });
    if (result.Error) std::printf("load failed: %s\n", result.Error->Text.c_str());
    return static_cast<int>(menu.size());
}

std::string ScratchFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "pellacor-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void Report(const char* what, double value, const char* unit, const char* target, bool met) {
    std::printf("%-40s %10.1f %-5s target %-10s %s\n", what, value, unit, target, met ? "met" : "MISSED");
}

}  // namespace

int main() {
    std::string folder = ScratchFolder();
    {
        Clips menu;
        for (int i = 0; i < 1000; ++i) {
            auto clip = std::make_unique<clips::TClipText>();
            clip->Text = std::string(1000, static_cast<char>('a' + i % 26)) + std::to_string(i);
            clip->SetCaption("clip " + std::to_string(i));
            clip->SetKind(0);
            clip->CapturedAt = "Monday 07 December 2026, 10:20:30";
            clip->Source = "notepad.exe";
            menu.push_back(std::move(clip));
        }
        double save = Seconds([&] { Save(folder, menu); });
        Clips loaded;
        double load = Seconds([&] { Load(folder, loaded); });
        Report("save 1,000 text clips of 1 KB", save * 1000, "ms", "<= 50 ms", save * 1000 <= 50);
        Report("load 1,000 text clips of 1 KB", load * 1000, "ms", "<= 50 ms", load * 1000 <= 50);
    }
    {
        toolkit::BmpImage image;
        image.format = {1920, 1080, 32, {}, {}};
        image.pixels.resize(size_t{1920} * 1080 * 4);
        for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7 + i / 4096);
        std::vector<uint8_t> bmp = toolkit::WriteBmp(image);
        Clips menu;
        for (int i = 0; i < 20; ++i) {
            auto clip = std::make_unique<clips::TClipImage>();
            clip->Bitmap().LoadFromBmp(bmp);
            clip->SetCaption("图像  [ 1920 x 1080 ]");
            clip->SetKind(3);
            menu.push_back(std::move(clip));
        }
        double megabytes = 20.0 * static_cast<double>(image.pixels.size()) / 1e6;
        double save = Seconds([&] { Save(folder, menu); });
        Clips loaded;
        double load = Seconds([&] { Load(folder, loaded); });
        Report("save 20 image clips of 1920 x 1080", megabytes / save, "MB/s", ">= 200 MB/s", megabytes / save >= 200);
        Report("load 20 image clips of 1920 x 1080", megabytes / load, "MB/s", ">= 200 MB/s", megabytes / load >= 200);
        // What a personal change costs the GUI thread once the pictures were saved before: the records, no encoding.
        auto snapshot = [&] {
            std::vector<personal::ClipRecord> records;
            for (const auto& clip : menu)
                if (auto record = clips::RecordOfClip(*clip, false)) records.push_back(std::move(*record));
            return records.size();
        };
        snapshot();
        double change = Seconds([&] { snapshot(); });
        Report("a change with 20 screenshots kept", change * 1000, "ms", "<= 16 ms", change * 1000 <= 16);
    }
    {
        // 50 MB: 40 texts of 1 MB and 1 picture of 1920 x 1080 (8 MB) in the history.
        Clips menu;
        for (int i = 0; i < 40; ++i) {
            auto clip = std::make_unique<clips::TClipText>();
            clip->Text = std::string(1000000, static_cast<char>('a' + i % 26));
            clip->SetCaption("clip " + std::to_string(i));
            clip->SetKind(clips::kPlainText);
            menu.push_back(std::move(clip));
        }
        toolkit::BmpImage image;
        image.format = {1920, 1080, 32, {}, {}};
        image.pixels.assign(size_t{1920} * 1080 * 4, 0x5A);
        auto picture = std::make_unique<clips::TClipImage>();
        picture->Bitmap().LoadFromBmp(toolkit::WriteBmp(image));
        picture->SetKind(clips::kImage);
        menu.push_back(std::move(picture));

        personal::PersonalHistoryFile file;
        file.Load(folder);
        double copyMs = 0;
        personal::PersonalAutoSave saver(
            file,
            [&] {
                double start = NowMs();
                personal::PersonalAutoSave::Snapshot snapshot{folder, {}};
                for (const auto& clip : menu)
                    if (auto record = clips::RecordOfClip(*clip, false))
                        snapshot.records.push_back(std::move(*record));
                copyMs = NowMs() - start;
                return snapshot;
            },
            [](const common::Problem& problem) { std::printf("save: %s\n", problem.Text.c_str()); });
        double start = NowMs();
        saver.Changed();
        // The saver's timer and its worker's message arrive through the message loop.
        for (MSG msg; saver.Pending() && GetMessageA(&msg, nullptr, 0, 0);) DispatchMessageA(&msg);
        double total = NowMs() - start - personal::PersonalAutoSave::kDelayMs;
        Report("50 MB history: copy on the GUI thread", copyMs, "ms", "<= 50 ms", copyMs <= 50);
        std::printf("%-40s %10.1f ms    (on the worker thread)\n", "50 MB history: copy and save in all", total);
    }
    DeleteFileA((folder + "Personal.dat").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
