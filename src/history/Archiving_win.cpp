// The clipboard history kept in the archive: what each change of the lists
// asks of it. The archive's worker does the writing; here only the ids.
#include <algorithm>
#include <ctime>
#include <utility>

#include "archive/ArchiveWorker_win.h"
#include "archive/ArchivedClip.h"
#include "history/History_win.h"

namespace history {

void History::SetArchive(archive::ArchiveWorker* archive, int64_t nextId) {
    // Ids of another archive (or of none) name nothing in this one.
    for (Section section : {Section::Personal, Section::Clipboard})
        for (clips::TClip* clip : Clips(section)) clip->ArchiveId = 0;
    archive_ = archive;
    nextArchiveId_ = std::max<int64_t>(nextId, 1);
}

void History::Archive(clips::TClip& clip) {
    if (!archive_) return;
    archive::ArchivedClip archived;
    if (!clip.WriteArchive(archived)) return;
    int64_t older = std::exchange(clip.ArchiveId, nextArchiveId_++);
    archived.Id = clip.ArchiveId;
    archived.CopiedAt = static_cast<int64_t>(std::time(nullptr));
    archive_->Store(std::move(archived), older);
}

void History::Unarchive(const std::vector<clips::TClip*>& clips) {
    std::vector<int64_t> ids;
    for (clips::TClip* clip : clips)
        if (clip->ArchiveId != 0) ids.push_back(clip->ArchiveId);
    DeleteArchived(std::move(ids));
}

void History::DeleteArchived(std::vector<int64_t> ids) {
    if (archive_ && !ids.empty()) archive_->Delete(std::move(ids));
}

void History::AppendRestored(std::unique_ptr<clips::TClip> clip) {
    store_.SetLimit(settings_.MaxHistorySize);
    store_.AppendRestored(std::move(clip));
}

clips::TClip& History::BringBack(std::unique_ptr<clips::TClip> clip) {
    if (FindDuplicate(*clip)) {
        clips::TClip& older = *store_.OnClipboard();
        Archive(older);  // the newest copy now; the archive merges equal data
        return older;
    }
    store_.SetLimit(settings_.MaxHistorySize);
    clips::TClip& restored = store_.AppendRestored(std::move(clip));
    Archive(restored);
    return restored;
}

}  // namespace history
