// The clipboard archive at the size of months of copies: 100,000 clips (texts
// in Chinese, Latin, Korean and emoji of 100 B to 10 KB, a hundred of 1 MB, a
// thousand pictures), about 300 MB of text, encrypted as the program keeps it.
// Run under Wine (or Windows); every figure is printed with its target and
// "met" or "OVER". `archive_bench 20000` builds a smaller archive.
//   find, 1/2/3/8 characters, first screenful: median <= 16 ms, none > 150 ms
//     and beside a plain LIKE '%...%' scan of the same texts
//   capture, GUI thread, archive on against off:  <= 0.3 ms more per 1 KB clip
//   start-up with the archive against none:       <= 100 ms more
//   private bytes after start-up with it:         <= 40 MB
//   size on disk / (raw text + PNG pictures):     <= 1.6 x
//   a 1920x1080 screenshot stored:                <= 0.25 x its DIB
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "BenchClock.h"
#include "archive/ArchiveSession_win.h"
#include "archive/ClipArchive.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clips/ClipRecords_win.h"
#include "clips/ClipText_win.h"
#include "common/MessageBox_win.h"
#include "common/Settings.h"
#include "common/Wide_win.h"
#include "history/History_win.h"
#include "toolkit/BmpFile.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/Png_win.h"

namespace {

constexpr int kScreenful = 50;

void Figure(const char* what, double value, const char* unit, double target, const char* extra = "") {
    std::printf("%-58s %10.3f %-3s (<= %g) %s%s\n", what, value, unit, target, value <= target ? "met" : "OVER", extra);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Random {
    unsigned state;
    unsigned Next() { return state = state * 1103515245u + 12345u, state >> 8; }
};

// Text as people copy it, in one of four scripts.
std::string Text(size_t size, Random& r) {
    static const char* const latin[] = {"the", "data", "file", "note", "list", "code", "page", "program", "Meeting",
                                        "report", "invoice", "https://example.com/a?b=", "Server", "error", "value"};
    static const char* const chinese[] = {"剪贴板", "历史", "文本", "图片", "会议", "报告", "数据", "文件", "我们",
                                          "今天", "的", "是", "在", "了", "公司", "项目", "时间", "问题"};
    static const char* const korean[] = {"회의", "보고서", "데이터", "파일", "오늘", "우리", "시간", "문제", "는", "을"};
    static const char* const emoji[] = {"😀", "🎉", "👍", "🔥", "ok", "yes", "✨", "🚀"};
    const char* const* words[] = {latin, chinese, korean, emoji};
    const size_t counts[] = {std::size(latin), std::size(chinese), std::size(korean), std::size(emoji)};
    unsigned script = r.Next() % 10 < 4 ? 0 : r.Next() % 10 < 6 ? 1 : 2 + r.Next() % 2;
    std::string text;
    while (text.size() < size) {
        text += words[script][r.Next() % counts[script]];
        if (script == 0 || r.Next() % 4 == 0) text += r.Next() % 9 == 0 ? "\r\n" : " ";
        if (r.Next() % 50 == 0) text += std::to_string(r.Next() % 100000);
    }
    return text;
}

// A picture like a screen: flat areas, frames, lines of small strokes.
std::vector<uint8_t> Screenshot(int width, int height, unsigned seed) {
    toolkit::BmpFormat format;
    format.width = width;
    format.height = height;
    format.bitsPerPixel = 32;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    Random r{seed};
    auto fill = [&](int x0, int y0, int w, int h, uint32_t colour) {
        for (int y = std::max(0, y0); y < std::min(height, y0 + h); ++y)
            for (int x = std::max(0, x0); x < std::min(width, x0 + w); ++x)
                std::memcpy(&pixels[(static_cast<size_t>(y) * width + x) * 4], &colour, 4);
    };
    fill(0, 0, width, height, 0xFFF3F3F3);
    // A photo on part of the screen: smooth colours with the grain of a camera.
    for (int y = height / 2; y < height * 3 / 4; ++y)
        for (int x = width / 2; x < width * 3 / 4; ++x) {
            uint32_t grain = r.Next() % 12;
            uint32_t colour = 0xFF000000 | ((x * 255 / width + grain) << 16) | ((y * 255 / height + grain) << 8) |
                              ((x + y) % 256 / 2 + grain);
            std::memcpy(&pixels[(static_cast<size_t>(y) * width + x) * 4], &colour, 4);
        }
    for (int i = 0; i < 12; ++i) {
        int x = r.Next() % width, y = r.Next() % height, w = 100 + r.Next() % 600, h = 60 + r.Next() % 400;
        fill(x, y, w, h, 0xFF000000 | (r.Next() & 0xFFFFFF));
        fill(x + 2, y + 2, w - 4, h - 4, 0xFFFFFFFF);
        for (int line = y + 10; line < y + h - 12; line += 18)
            for (int cx = x + 8; cx < x + w - 10; cx += 7)
                if (r.Next() % 5) fill(cx, line, 1 + r.Next() % 5, 2 + r.Next() % 9, 0xFF202020);
    }
    return toolkit::WriteBmp(format, pixels);
}

int64_t FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(common::Wide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double PrivateMb() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    // Wine leaves PrivateUsage at 0: the working set stands in for it there.
    SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.WorkingSetSize;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// The same texts in a plain table, for the LIKE scan the index is set beside.
class PlainTexts {
public:
    explicit PlainTexts(const std::string& path) {
        sqlite3_open(path.c_str(), &db_);
        sqlite3_exec(db_, "PRAGMA journal_mode=WAL; DROP TABLE IF EXISTS plain; CREATE TABLE plain(id INTEGER PRIMARY KEY, text TEXT); BEGIN",
                     nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db_, "INSERT INTO plain VALUES(?, ?)", -1, &insert_, nullptr);
    }
    ~PlainTexts() {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
    }
    void Insert(int64_t id, const std::string& text) {
        sqlite3_bind_int64(insert_, 1, id);
        sqlite3_bind_text(insert_, 2, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
        sqlite3_step(insert_);
        sqlite3_reset(insert_);
    }
    void Commit() { sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr); }
    // The first `limit` ids whose text holds `word`, newest first.
    int LikeScan(const std::string& word, int limit) {
        sqlite3_stmt* scan = nullptr;
        sqlite3_prepare_v2(db_, "SELECT id FROM plain WHERE text LIKE ? ORDER BY id DESC LIMIT ?", -1, &scan, nullptr);
        std::string pattern = "%" + word + "%";
        sqlite3_bind_text(scan, 1, pattern.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(scan, 2, limit);
        int found = 0;
        while (sqlite3_step(scan) == SQLITE_ROW) ++found;
        sqlite3_finalize(scan);
        return found;
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
};

// What start-up adds with an archive: the session opened, the newest clips made.
void StartWithArchive(const std::string& folder, int clips) {
    std::vector<common::Problem> problems;
    archive::ArchiveSession session(folder, 64 << 20, [](const common::Problem&) {}, problems);
    for (archive::ArchivedClip& archived : session.Reader().Newest(clips)) clips::ClipOfArchive(archived);
}

// The child process: start-up's figure of memory, alone in a fresh process.
int MeasureStartUp(std::string folder) {
    folder += '\\';
    double before = PrivateMb();
    StartWithArchive(folder, 20);
    std::vector<common::Problem> problems;
    archive::ArchiveSession session(folder, 64 << 20, [](const common::Problem&) {}, problems);
    std::printf("%.2f %.2f\n", before, PrivateMb());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    common::SetMessageBoxHandler([](HWND, const std::string& text, const std::string&, UINT) {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return IDOK;
    });
    if (argc == 3 && std::string(argv[1]) == "--start-up") return MeasureStartUp(argv[2]);
    int total = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    toolkit::ComApartment com;

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string folder = common::Utf8(temp) + "pellacor-archive-bench\\";
    CreateDirectoryW(common::Wide(folder).c_str(), nullptr);
    archive::ArchiveSession::DeleteFiles(folder);

    // The archive, written as the worker writes it, and beside it a plain table of the same texts.
    std::vector<common::Problem> problems;
    auto session = std::make_unique<archive::ArchiveSession>(folder, 64 << 20, [](const common::Problem&) {}, problems);
    PlainTexts plain(folder + "Plain.db");
    Random r{12345};
    int64_t rawText = 0, rawPictures = 0;
    int64_t id = session->Reader().NextId();
    double started = NowMs();
    {
        archive::ClipArchive& writer = session->Reader();
        int pictures = total / 100, large = total / 1000;
        for (int i = 0; i < total; ++i) {
            clips::TClipText clip;
            archive::ArchivedClip archived;
            if (i % 100 == 50 && pictures-- > 0) {
                archived.ClassName = "TClipImage";
                archived.Kind = 3;
                archived.Caption = "图像  [ 480 x 300 ]";
                archived.Data = toolkit::PngOfBmp(Screenshot(480, 300, static_cast<unsigned>(i)));
                rawPictures += static_cast<int64_t>(archived.Data.size());
            } else {
                size_t size = i % 1000 == 500 && large-- > 0 ? (1u << 20) : 100 + r.Next() % 4000;  // about 2 KB: 300 MB in all
                clip.Text = Text(size, r);
                clip.NameForHistory(20);
                clip.WriteArchive(archived);
                rawText += static_cast<int64_t>(clip.Text.size());
                plain.Insert(id, clip.Text);
            }
            archived.Id = id++;
            archived.CopiedAt = 1700000000 + i;
            writer.Store(archived);
        }
    }
    double built = NowMs() - started;
    plain.Commit();
    std::printf("archive of %d clips: %.1f MB of text, %.1f MB of PNG pictures, built in %.1f s\n", total,
                rawText / 1048576.0, rawPictures / 1048576.0, built / 1000.0);

    // Find: the first screenful of ids, newest first.
    struct Query {
        const char* text;
        const char* what;
    };
    const Query queries[] = {{"的", "1 Chinese, common"}, {"鳗", "1 Chinese, nothing"}, {"e", "1 Latin, common"},
                             {"ǂ", "1 Latin, nothing"},    {"会议", "2 Chinese, common"}, {"鳗鲡", "2 Chinese, nothing"},
                             {"da", "2 Latin, common"},    {"qx", "2 Latin, nothing"},   {"数据文", "3 Chinese, common"},
                             {"pro", "3 Latin, common"},   {"zqj", "3 Latin, nothing"},  {"Meeting ", "8 Latin, common"},
                             {"项目时间问题公司", "8 Chinese"}, {"xylophon", "8 Latin, nothing"}};
    std::vector<double> all;
    double worst = 0;
    archive::ClipArchive& reader = session->Reader();
    for (const Query& q : queries) {
        std::vector<double> times, likeTimes;
        for (int round = 0; round < 5; ++round) {
            int found = 0;
            double t0 = NowMs();
            reader.Find(q.text, [&](int64_t) { return ++found < kScreenful; });
            times.push_back(NowMs() - t0);
            if (round < 2) {
                t0 = NowMs();
                plain.LikeScan(q.text, kScreenful);
                likeTimes.push_back(NowMs() - t0);
            }
        }
        double median = Median(times);
        worst = std::max(worst, *std::max_element(times.begin(), times.end()));
        all.insert(all.end(), times.begin(), times.end());
        std::printf("  find %-22s %8.2f ms, LIKE scan %9.2f ms (%.0f x)\n", q.what, median, Median(likeTimes),
                    Median(likeTimes) / std::max(median, 0.001));
    }
    Figure("find, first screenful, median of all queries", Median(all), "ms", 16);
    Figure("find, first screenful, slowest", worst, "ms", 150);

    // Capture on the GUI thread: what the archive adds to each 1 KB clip.
    {
        toolkit::MenuItem root;
        auto item = std::make_unique<toolkit::MenuItem>("history");
        toolkit::MenuItem* menu = item.get();
        root.Add(std::move(item));
        common::Settings settings;
        settings.MaxHistorySize = 500;
        history::History history(*menu, settings);
        auto run = [&](bool archived) {
            history.SetArchive(archived ? &session->Worker() : nullptr, id);
            std::vector<double> times;
            for (int i = 0; i < 400; ++i) {
                auto clip = std::make_unique<clips::TClipText>();
                clip->Text = Text(1024, r);
                double t0 = NowMs();
                history.Append(std::move(clip));
                times.push_back(NowMs() - t0);
            }
            id += 400;
            session->Worker().Flush();
            return Median(times);
        };
        double off = run(false), on = run(true);
        char extra[64];
        std::snprintf(extra, sizeof extra, "  (%.3f ms on, %.3f ms off)", on, off);
        Figure("capture of a 1 KB clip, GUI thread, archive on - off", on - off, "ms", 0.3, extra);
        history.SetArchive(nullptr, 0);
    }
    session.reset();

    // Start-up: the archive opened and the menu's clips made, against none.
    {
        std::vector<double> times;
        for (int round = 0; round < 3; ++round) {
            double t0 = NowMs();
            StartWithArchive(folder, 20);
            times.push_back(NowMs() - t0);
        }
        Figure("start-up with the archive, more than without", Median(times), "ms", 100);
    }
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        // Without its last backslash, which would escape the closing quote.
        std::wstring command = L"\"" + std::wstring(self) + L"\" --start-up \"" +
                               common::Wide(folder.substr(0, folder.size() - 1)) + L"\"";
        std::string output;
        SECURITY_ATTRIBUTES inherit{};
        inherit.nLength = sizeof(inherit);
        inherit.bInheritHandle = TRUE;
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, &inherit, 0);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(writeEnd);
            char buffer[256];
            DWORD read = 0;
            while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read) output.append(buffer, read);
            WaitForSingleObject(process.hProcess, INFINITE);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        } else {
            CloseHandle(writeEnd);
        }
        CloseHandle(readEnd);
        double before = 0, after = 0;
        if (std::sscanf(output.c_str(), "%lf %lf", &before, &after) == 2)
            Figure("private bytes after start-up with the archive", after, "MB", 40);
        else
            std::printf("private bytes after start-up: not measured (%s)\n", output.c_str());
    }

    // Size on disk.
    int64_t onDisk = FileBytes(folder + "History.db") + FileBytes(folder + "History.db-wal");
    char extra[96];
    std::snprintf(extra, sizeof extra, "  (%.1f MB on disk)", onDisk / 1048576.0);
    Figure("size on disk / (raw text + PNG pictures)", static_cast<double>(onDisk) / static_cast<double>(rawText + rawPictures),
           "x", 1.6, extra);
    std::vector<uint8_t> screen = Screenshot(1920, 1080, 7);
    size_t dib = screen.size() - 14;  // a DIB is the BMP file without its file header
    Figure("a 1920x1080 screenshot stored / its DIB", static_cast<double>(toolkit::PngOfBmp(screen).size()) / dib, "x",
           0.25);
    return 0;
}
