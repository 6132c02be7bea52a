// The personal history of the main form: loaded at start-up, saved soon after
// each change and at exit. A folder that cannot be reached at start-up (a
// drive mounted late, a network or sync folder not there yet) is not an empty
// history: nothing is written there until its file has been read. Meanwhile
// the personal clips are kept in a folder of the program's own, the folder is
// looked for every few seconds, and once it is there its file is read and the
// clips added meanwhile follow the ones it holds. Across a restart the same.
#include <windows.h>

#include <utility>

#include "app/MainForm_win.h"
#include "clips/ClipRecords_win.h"
#include "common/Failure.h"
#include "common/Paths_win.h"
#include "common/Report_win.h"
#include "common/Text.h"
#include "common/Wide_win.h"

namespace app {
namespace {
constexpr UINT kFolderLookMs = 5000;
}  // namespace

std::string TfrmMain::PersonalFolderNow() const {
    return awaitingFolder_ ? folder_ + kMeanwhileFolder : settings_.PersonalHistoryPath;
}

std::optional<common::Problem> TfrmMain::LoadPersonalHistory() {
    const std::string& folder = settings_.PersonalHistoryPath;
    awaitingFolder_ = !common::FolderExists(folder);
    // The clips kept meanwhile last time: the folder's own while it is away, after them once it is back.
    std::vector<std::unique_ptr<clips::TClip>> meanwhile;
    personal::PersonalLoadResult kept = personalFile_.Load(folder_ + kMeanwhileFolder, [&](personal::ClipRecord& record) {
        meanwhile.push_back(clips::ClipOfRecord(record));
    });
    if (kept.Error) throw common::Failure(kept.Error->Text);
    if (awaitingFolder_) {
        for (auto& clip : meanwhile) history_->AppendLoaded(std::move(clip));
        personalLoaded_ = history_->PersonalCount() > 0;
        CreateDirectoryW(common::Wide(folder_ + kMeanwhileFolder).c_str(), nullptr);
        SetTimer(Handle(), kFolderTimer, kFolderLookMs, nullptr);
        return common::Problem{common::Format("个人历史文件夹 \"%s\" 现在无法访问. 它出现后即读入其中的个人历史; "
                                              "在此之前添加的个人剪辑不会丢失, 到时并入.",
                                              folder.c_str()),
                               common::Severity::Warning};
    }
    personal::PersonalLoadResult loaded = personalFile_.Load(folder, [&](personal::ClipRecord& record) {
        history_->AppendLoaded(clips::ClipOfRecord(record));
    });
    personalLoaded_ = loaded.ClipsRead > 0 || !meanwhile.empty();
    for (auto& clip : meanwhile) history_->AppendLoaded(std::move(clip));
    UpdateHistory();
    if (!meanwhile.empty()) MeanwhileMerged();
    // The damaged file was moved aside or is never replaced: no exit overwrites what was not read.
    if (loaded.Error) throw common::Failure(loaded.Error->Text);
    return std::nullopt;
}

void TfrmMain::LookForPersonalFolder() {
    if (!awaitingFolder_ || !common::FolderExists(settings_.PersonalHistoryPath)) return;
    KillTimer(Handle(), kFolderTimer);
    if (personalAutoSave_) personalAutoSave_->Finish();  // the file is ours alone from here on
    awaitingFolder_ = false;
    std::vector<std::unique_ptr<clips::TClip>> stored;
    personal::PersonalLoadResult loaded =
        personalFile_.Load(settings_.PersonalHistoryPath, [&](personal::ClipRecord& record) {
            stored.push_back(clips::ClipOfRecord(record));
        });
    history_->Store().PrependLoaded(std::move(stored));
    UpdateHistory();
    if (loaded.Error) common::Report(*loaded.Error);
    MeanwhileMerged();
    std::vector<common::Problem> problems;  // the archive lives in that folder too
    common::RunCollecting([&] { OpenArchive(problems); }, problems);
    common::Report(problems);
}

void TfrmMain::MeanwhileMerged() {
    // Saved at once where they belong; only then the meanwhile copy goes.
    common::RunReported([&] {
        SavePersonalHistory();
        DeleteFileW(common::Wide(folder_ + kMeanwhileFolder + "Personal.dat").c_str());
        RemoveDirectoryW(common::Wide(folder_ + kMeanwhileFolder).c_str());
    });
}

void TfrmMain::StartPersonalAutoSave() {
    personalAutoSave_ = std::make_unique<personal::PersonalAutoSave>(
        personalFile_, [this] { return personal::PersonalAutoSave::Snapshot{PersonalFolderNow(), PersonalRecords()}; },
        [](const common::Problem& problem) { common::Report(problem); });
    history_->OnPersonalHistoryChanged = [this] { personalAutoSave_->Changed(); };
}

std::vector<personal::ClipRecord> TfrmMain::PersonalRecords() {
    std::vector<personal::ClipRecord> records;
    for (clips::TClip* clip : history_->Clips(history::Section::Personal))
        if (auto record = clips::RecordOfClip(*clip, history_->IsOnClipboard(*clip))) records.push_back(std::move(*record));
    return records;
}

void TfrmMain::SavePersonalHistory() {
    // A save under way ends first: the file is ours alone from here on.
    if (personalAutoSave_) personalAutoSave_->Finish();
    if (awaitingFolder_) CreateDirectoryW(common::Wide(folder_ + kMeanwhileFolder).c_str(), nullptr);
    if (auto madeDo = personalFile_.Save(PersonalFolderNow(), PersonalRecords())) common::Report(*madeDo);
}

void TfrmMain::PersonalFolderChosen() {
    // Another folder now: the one waited for is no longer the personal history's.
    if (!awaitingFolder_) return;
    KillTimer(Handle(), kFolderTimer);
    awaitingFolder_ = false;
    MeanwhileMerged();
}

}  // namespace app
