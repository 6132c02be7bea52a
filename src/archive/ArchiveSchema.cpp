#include "archive/ArchiveSchema.h"

#include <sqlite3.h>

#include "archive/ArchiveTokens.h"
#include "archive/ClipArchive.h"
#include "archive/Sqlite.h"

namespace archive {
namespace {

// Step n brings a file of version n to version n + 1.
constexpr const char* kMigrations[] = {
    // 0 -> 1: the clips, their duplicate key, and the index of their words.
    "CREATE TABLE clips(id INTEGER PRIMARY KEY, copied_at INTEGER NOT NULL, class TEXT NOT NULL, "
    "kind INTEGER NOT NULL, caption TEXT NOT NULL, source TEXT NOT NULL, captured_at TEXT NOT NULL, "
    "content_key INTEGER NOT NULL, size INTEGER NOT NULL, data BLOB NOT NULL);"
    "CREATE INDEX clips_by_content ON clips(content_key);"
    "CREATE INDEX clips_by_time ON clips(copied_at);"
    "CREATE VIRTUAL TABLE clip_words USING fts5(caption, source, found_by, content='', contentless_delete=1, "
    "tokenize='pellacor', detail=full);"
    // Index blocks that fit a page beside the cipher's reserve (the default of 4050 spills into a second).
    "INSERT INTO clip_words(clip_words, rank) VALUES('pgsz', 4000);",
};
static_assert(std::size(kMigrations) == ClipArchive::kSchemaVersion);

bool HasTable(sqlite3* db, const char* name) {
    Statement table(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
    table.Bind(1, name);
    return table.Step() && table.Int(0) > 0;
}

}  // namespace

void PrepareSchema(sqlite3* db) {
    int64_t version = QueryInt(db, "PRAGMA user_version");
    if (version > ClipArchive::kSchemaVersion)
        throw ArchiveError(ArchiveFault::NewerSchema, "剪贴板存档由更新版本的 Pellacor 创建.");
    if (version == 0) {
        if (QueryInt(db, "SELECT count(*) FROM sqlite_master") != 0)
            throw ArchiveError(ArchiveFault::NotAnArchive, "该文件不是剪贴板存档.");
        Execute(db, "PRAGMA auto_vacuum=INCREMENTAL");  // before the first table, or never
    } else if (!HasTable(db, "clips") || !HasTable(db, "clip_words")) {
        throw ArchiveError(ArchiveFault::NotAnArchive, "该文件不是剪贴板存档.");
    }
    Execute(db, "PRAGMA journal_mode=WAL");
    Execute(db, "PRAGMA synchronous=NORMAL");  // in WAL a killed process loses nothing committed
    if (version == ClipArchive::kSchemaVersion) return;
    RegisterTokenizer(db);  // the index's table needs its tokenizer to be made
    for (; version < ClipArchive::kSchemaVersion; ++version) {
        Transaction step(db);
        Execute(db, kMigrations[version]);
        Execute(db, ("PRAGMA user_version=" + std::to_string(version + 1)).c_str());
        step.Commit();
    }
}

}  // namespace archive
