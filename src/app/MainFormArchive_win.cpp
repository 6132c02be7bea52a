// The clipboard archive of the main form: opened with the personal history's
// folder when the user keeps the whole clipboard history, the clipboard
// history filled from it at start-up, pruned at start-up and every hour,
// closed (and, when the user says so, deleted) when switched off.
#include <windows.h>

#include <algorithm>

#include "app/MainForm_win.h"
#include "archive/ArchiveSession_win.h"
#include "clips/ClipRecords_win.h"
#include "common/Report_win.h"

namespace app {
namespace {
constexpr UINT kPruneEveryMs = 60 * 60 * 1000;
constexpr int64_t kMegabyte = 1024 * 1024;
// The largest clip archived: a quarter of the archive's size, at most 64 MB.
int64_t LargestArchivedClip(const common::Settings& settings) {
    return std::min<int64_t>(64 * kMegabyte, settings.KeepHistoryMB * kMegabyte / 4);
}
}  // namespace

void TfrmMain::OpenArchive(std::vector<common::Problem>& problems) {
    if (!settings_.KeepClipboardHistory || archive_ || awaitingFolder_) return;
    auto report = [](const common::Problem& problem) { common::Report(problem); };
    archive_ = std::make_unique<archive::ArchiveSession>(settings_.PersonalHistoryPath, LargestArchivedClip(settings_),
                                                         report, problems);
    ++archiveNumber_;
    archive_->Worker().OnDamaged = [this] { ArchiveFoundDamaged(); };
    history_->SetArchive(&archive_->Worker(), archive_->Reader().NextId());
    if (findWindow_) findWindow_->SetArchive(archive_.get());
    PruneArchive();
    SetTimer(Handle(), kArchiveTimer, kPruneEveryMs, nullptr);
}

void TfrmMain::ArchiveFoundDamaged() {
    // Between messages, and once for this archive however many parts found it.
    PostMessageW(Handle(), WM_ARCHIVEDAMAGED, archiveNumber_, 0);
}

void TfrmMain::FillFromArchive(std::vector<common::Problem>& problems) {
    if (!archive_) return;
    std::vector<archive::ArchivedClip> newest;
    try {
        newest = archive_->Reader().Newest(settings_.MaxHistorySize);
    } catch (const archive::ArchiveError& e) {
        if (e.Fault() != archive::ArchiveFault::Damaged) throw;
        ArchiveFoundDamaged();
        return;
    }
    bool unreadable = false;
    // Oldest first, so the newest ends as the newest clipboard clip.
    for (auto it = newest.rbegin(); it != newest.rend(); ++it) {
        try {
            std::unique_ptr<clips::TClip> clip = clips::ClipOfArchive(*it);
            if (!history_->HoldsEqual(*clip)) history_->AppendRestored(std::move(clip));
        } catch (const std::exception&) {
            unreadable = true;  // one clip that cannot be read costs only itself
        }
    }
    if (unreadable) problems.push_back({"存档中有剪辑无法读取, 已跳过.", common::Severity::Warning});
}

void TfrmMain::PruneArchive() {
    if (archive_) archive_->Worker().Prune(settings_.KeepHistoryDays, settings_.KeepHistoryMB * kMegabyte);
}

void TfrmMain::CloseArchive(bool deleteStored) {
    KillTimer(Handle(), kArchiveTimer);
    if (!archive_) return;
    history_->SetArchive(nullptr, 0);
    if (findWindow_) findWindow_->SetArchive(nullptr);
    std::string folder = archive_->Folder();
    archive_->Worker().Stop();  // nothing more is written, from now on
    archive_.reset();
    if (deleteStored) archive::ArchiveSession::DeleteFiles(folder);
}

void TfrmMain::ArchiveDamaged(WPARAM number) {
    if (!archive_ || number != archiveNumber_) return;  // moved aside already
    std::string folder = archive_->Folder();
    CloseArchive(false);
    std::vector<common::Problem> problems;
    common::RunCollecting(
        [&] {
            problems.push_back(archive::ArchiveSession::MoveAside(
                folder, archive::ArchiveError(archive::ArchiveFault::Damaged, "剪贴板存档已损坏.")));
            OpenArchive(problems);
        },
        problems);
    common::Report(problems);
}

void TfrmMain::ArchiveSettingsChanged(const common::Settings& before, bool deleteStored) {
    bool moved = before.PersonalHistoryPath != settings_.PersonalHistoryPath;
    if (!settings_.KeepClipboardHistory || moved) CloseArchive(deleteStored && !settings_.KeepClipboardHistory);
    std::vector<common::Problem> problems;
    common::RunCollecting([&] { OpenArchive(problems); }, problems);
    if (archive_ && (before.KeepHistoryDays != settings_.KeepHistoryDays || before.KeepHistoryMB != settings_.KeepHistoryMB))
        PruneArchive();
    common::Report(problems);
}

std::optional<archive::ArchiveSummary> TfrmMain::ArchiveSummary() {
    if (!archive_) return std::nullopt;
    archive_->Worker().Flush();  // what was handed over is counted too
    return archive_->Reader().Summary();
}

void TfrmMain::ClearArchive() {
    if (!archive_) return;
    archive_->Worker().Clear();
    archive_->Worker().Flush();  // the user waits for it: the summary shows it done
}

}  // namespace app
