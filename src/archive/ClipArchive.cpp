#include "archive/ClipArchive.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "archive/ArchiveSchema.h"
#include "archive/ArchiveTokens.h"
#include "archive/Sqlite.h"

namespace archive {
namespace {

// The duplicate key: a 64-bit FNV-1a of the class and the data.
int64_t ContentKey(std::string_view className, std::span<const uint8_t> data) {
    uint64_t hash = 0xCBF29CE484222325ull;
    auto add = [&](uint8_t byte) { hash = (hash ^ byte) * 0x100000001B3ull; };
    for (char c : className) add(static_cast<uint8_t>(c));
    add(0);
    for (uint8_t byte : data) add(byte);
    return static_cast<int64_t>(hash);
}

// What a clip costs the file, roughly: its data and its share of the index.
int64_t StoredSize(const ArchivedClip& clip) {
    return static_cast<int64_t>(clip.Data.size() + 2 * (clip.FoundBy.size() + clip.Caption.size()) + 128);
}

std::string HexKey(std::span<const uint8_t> key) {
    static const char digits[] = "0123456789abcdef";
    std::string text = "raw:";  // the raw key itself: no derivation from a password
    for (uint8_t byte : key) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

ArchivedClip ClipOfRow(const Statement& row) {
    ArchivedClip clip;
    clip.Id = row.Int(0);
    clip.CopiedAt = row.Int(1);
    clip.ClassName = row.Text(2);
    clip.Kind = static_cast<int>(row.Int(3));
    clip.Caption = row.Text(4);
    clip.Source = row.Text(5);
    clip.CapturedAt = row.Text(6);
    clip.Data = row.Blob(7);
    return clip;
}

constexpr const char* kClipColumns = "id, copied_at, class, kind, caption, source, captured_at, data";

}  // namespace

ClipArchive::ClipArchive(const std::string& path, std::span<const uint8_t> key) {
    int code = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                               nullptr);
    if (code != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        ThrowSqlite(code);
    }
    try {
        if (!key.empty()) {
            std::string hex = HexKey(key);
            code = sqlite3_key_v2(db_, "main", hex.data(), static_cast<int>(hex.size()));
            if (code != SQLITE_OK) ThrowSqlite(code, true);
        }
        sqlite3_busy_timeout(db_, 10000);
        try {
            QueryInt(db_, "SELECT count(*) FROM sqlite_master");
        } catch (const ArchiveError& e) {
            if (e.Fault() == ArchiveFault::NotAnArchive && !key.empty())
                throw ArchiveError(ArchiveFault::WrongKey, "剪贴板存档无法用当前 Windows 用户的密钥打开.");
            throw;
        }
        PrepareSchema(db_);
        RegisterTokenizer(db_);  // again is harmless: the same tokenizer
        Execute(db_, "PRAGMA secure_delete=ON");
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

ClipArchive::~ClipArchive() { sqlite3_close(db_); }

int64_t ClipArchive::NextId() { return QueryInt(db_, "SELECT coalesce(max(id), 0) + 1 FROM clips"); }

void ClipArchive::Store(const ArchivedClip& clip, int64_t replaces) {
    int64_t key = ContentKey(clip.ClassName, clip.Data);
    Transaction transaction(db_);
    int64_t existing = 0;
    {
        Statement same(db_, "SELECT id, data FROM clips WHERE content_key = ? AND class = ?");
        same.Bind(1, key).Bind(2, clip.ClassName);
        while (same.Step()) {
            std::span<const uint8_t> data = same.BlobView(1);
            if (std::equal(data.begin(), data.end(), clip.Data.begin(), clip.Data.end())) existing = same.Int(0);
        }
    }
    if (existing != 0) {
        // Copied again: the clip it equals becomes the newest, under the new id.
        Statement(db_, "DELETE FROM clip_words WHERE rowid = ?").Bind(1, existing).Run();
        Statement(db_, "UPDATE clips SET id = ?, copied_at = ?, kind = ?, caption = ?, source = ?, captured_at = ? "
                       "WHERE id = ?")
            .Bind(1, clip.Id).Bind(2, clip.CopiedAt).Bind(3, clip.Kind).Bind(4, clip.Caption).Bind(5, clip.Source)
            .Bind(6, clip.CapturedAt).Bind(7, existing).Run();
    } else {
        Statement(db_, "INSERT INTO clips(id, copied_at, class, kind, caption, source, captured_at, content_key, size, "
                       "data) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .Bind(1, clip.Id).Bind(2, clip.CopiedAt).Bind(3, clip.ClassName).Bind(4, clip.Kind).Bind(5, clip.Caption)
            .Bind(6, clip.Source).Bind(7, clip.CapturedAt).Bind(8, key).Bind(9, StoredSize(clip)).BindBlob(10, clip.Data)
            .Run();
    }
    Statement(db_, "INSERT INTO clip_words(rowid, caption, source, found_by) VALUES(?, ?, ?, ?)")
        .Bind(1, clip.Id).Bind(2, clip.Caption).Bind(3, clip.Source).Bind(4, clip.FoundBy).Run();
    if (replaces != 0 && replaces != clip.Id && replaces != existing) {
        Statement(db_, "DELETE FROM clips WHERE id = ?").Bind(1, replaces).Run();
        Statement(db_, "DELETE FROM clip_words WHERE rowid = ?").Bind(1, replaces).Run();
    }
    transaction.Commit();
}

void ClipArchive::Delete(std::span<const int64_t> ids) {
    if (ids.empty()) return;
    Transaction transaction(db_);
    Statement clips(db_, "DELETE FROM clips WHERE id = ?");
    Statement words(db_, "DELETE FROM clip_words WHERE rowid = ?");
    for (int64_t id : ids) {
        clips.Bind(1, id).Run();
        clips.Reset();
        if (sqlite3_changes(db_) == 0) continue;  // not archived: the index has no entry either
        words.Bind(1, id).Run();
        words.Reset();
    }
    transaction.Commit();
    GiveSpaceBack();
}

void ClipArchive::Clear() {
    {
        Transaction transaction(db_);
        Execute(db_, "DELETE FROM clips");
        Execute(db_, "INSERT INTO clip_words(clip_words) VALUES('delete-all')");
        transaction.Commit();
    }
    GiveSpaceBack();
}

int64_t ClipArchive::Prune(int64_t now, int days, int64_t maxBytes) {
    int64_t removed = 0;
    auto removeIds = [&](Statement& select) {
        std::vector<int64_t> ids;
        while (select.Step()) ids.push_back(select.Int(0));
        Delete(ids);
        removed += static_cast<int64_t>(ids.size());
        return !ids.empty();
    };
    // Too old: in batches, so that no transaction grows without bound.
    for (;;) {
        Statement old(db_, "SELECT id FROM clips WHERE copied_at < ? ORDER BY id LIMIT 1000");
        old.Bind(1, now - static_cast<int64_t>(days) * 86400);
        if (!removeIds(old)) break;
    }
    // Too large: the oldest whose sizes add up to the excess, once.
    int64_t excess = Summary().Bytes - maxBytes;
    while (excess > 0) {
        std::vector<int64_t> ids;
        {
            Statement oldest(db_, "SELECT id, size FROM clips ORDER BY id LIMIT 1000");
            while (excess > 0 && oldest.Step()) {
                ids.push_back(oldest.Int(0));
                excess -= std::max<int64_t>(oldest.Int(1), 1);
            }
        }
        if (ids.empty()) break;
        Delete(ids);
        removed += static_cast<int64_t>(ids.size());
    }
    return removed;
}

void ClipArchive::GiveSpaceBack() {
    // The index's deleted entries go with a bounded merge; the freed pages are
    // zeroed (secure delete) and given back to the file system.
    Execute(db_, "INSERT INTO clip_words(clip_words, rank) VALUES('merge', 64)");
    Execute(db_, "PRAGMA incremental_vacuum");
    // The journal's copies of those pages go too, as far as no reader holds them.
    Execute(db_, "PRAGMA wal_checkpoint(PASSIVE)");
}

std::vector<ArchivedClip> ClipArchive::Newest(int count) {
    Statement newest(db_, std::string("SELECT ") + kClipColumns + " FROM clips ORDER BY id DESC LIMIT ?");
    newest.Bind(1, std::max(count, 0));
    std::vector<ArchivedClip> clips;
    while (newest.Step()) clips.push_back(ClipOfRow(newest));
    return clips;
}

std::optional<ArchivedClip> ClipArchive::Load(int64_t id) {
    Statement one(db_, std::string("SELECT ") + kClipColumns + " FROM clips WHERE id = ?");
    one.Bind(1, id);
    if (!one.Step()) return std::nullopt;
    return ClipOfRow(one);
}

std::optional<ArchivedRow> ClipArchive::RowOf(int64_t id) {
    Statement one(db_, "SELECT id, kind, caption FROM clips WHERE id = ?");
    one.Bind(1, id);
    if (!one.Step()) return std::nullopt;
    return ArchivedRow{one.Int(0), static_cast<int>(one.Int(1)), one.Text(2)};
}

ArchiveSummary ClipArchive::Summary() {
    ArchiveSummary summary;
    summary.Clips = QueryInt(db_, "SELECT count(*) FROM clips");
    summary.Bytes = (QueryInt(db_, "PRAGMA page_count") - QueryInt(db_, "PRAGMA freelist_count")) *
                    QueryInt(db_, "PRAGMA page_size");
    return summary;
}

void ClipArchive::Find(std::string_view typedUtf8, const std::function<bool(int64_t id)>& each) {
    std::string match = MatchExpression(typedUtf8);
    try {
        Statement found(db_, match.empty() ? "SELECT id FROM clips ORDER BY id DESC"
                                           : "SELECT rowid FROM clip_words WHERE clip_words MATCH ? ORDER BY rowid DESC");
        if (!match.empty()) found.Bind(1, match);
        while (found.Step())
            if (!each(found.Int(0))) return;
    } catch (const ArchiveInterrupted&) {
        // A newer search took over.
    }
}

void ClipArchive::Interrupt() noexcept { sqlite3_interrupt(db_); }

bool ClipArchive::QuickCheck() {
    try {
        Statement check(db_, "PRAGMA quick_check");
        return check.Step() && check.Text(0) == "ok";
    } catch (const ArchiveError&) {
        return false;
    } catch (const ArchiveInterrupted&) {
        return true;  // not read to the end: nothing found
    }
}

bool ClipArchive::Check() {
    try {
        Statement check(db_, "PRAGMA integrity_check");
        if (!check.Step() || check.Text(0) != "ok") return false;
        Execute(db_, "INSERT INTO clip_words(clip_words) VALUES('integrity-check')");
        return true;
    } catch (const ArchiveError&) {
        return false;
    }
}

}  // namespace archive
