#include "archive/Sqlite.h"

#include <sqlite3.h>

namespace archive {

void ThrowSqlite(int code, bool keyed) {
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
        if (keyed) throw ArchiveError(ArchiveFault::WrongKey, "剪贴板存档无法用当前 Windows 用户的密钥打开.");
        throw ArchiveError(ArchiveFault::NotAnArchive, "该文件不是剪贴板存档.");
    case SQLITE_CORRUPT:
        throw ArchiveError(ArchiveFault::Damaged, "剪贴板存档已损坏.");
    case SQLITE_FULL:
        throw ArchiveError(ArchiveFault::Full, "磁盘已满, 剪贴板存档无法写入.");
    case SQLITE_NOMEM:
        throw std::bad_alloc();
    default:
        throw ArchiveError(ArchiveFault::Io, "剪贴板存档无法读写.");
    }
}

Statement::Statement(sqlite3* db, std::string_view sql) {
    int code = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (code != SQLITE_OK) ThrowSqlite(code);
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::Bind(int index, int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8);
    return *this;
}

Statement& Statement::BindBlob(int index, std::span<const uint8_t> bytes) {
    static const uint8_t none = 0;
    sqlite3_bind_blob64(statement_, index, bytes.empty() ? &none : bytes.data(), bytes.size(), SQLITE_STATIC);
    return *this;
}

Statement& Statement::BindPointer(int index, void* pointer, const char* type) {
    sqlite3_bind_pointer(statement_, index, pointer, type, nullptr);
    return *this;
}

bool Statement::Step() {
    int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    if (code == SQLITE_INTERRUPT) {
        sqlite3_reset(statement_);
        throw ArchiveInterrupted{};
    }
    sqlite3_reset(statement_);
    ThrowSqlite(code);
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int64_t Statement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::string Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

std::span<const uint8_t> Statement::BlobView(int column) const {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
    return bytes ? std::span<const uint8_t>(bytes, static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                 : std::span<const uint8_t>();
}

std::vector<uint8_t> Statement::Blob(int column) const {
    std::span<const uint8_t> view = BlobView(column);
    return {view.begin(), view.end()};
}

Transaction::Transaction(sqlite3* db) : db_(db) { Execute(db_, "BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
    Execute(db_, "COMMIT");
    done_ = true;
}

void Execute(sqlite3* db, const char* sql) {
    int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (code == SQLITE_INTERRUPT) throw ArchiveInterrupted{};
    if (code != SQLITE_OK) ThrowSqlite(code);
}

int64_t QueryInt(sqlite3* db, std::string_view sql) {
    Statement statement(db, sql);
    return statement.Step() ? statement.Int(0) : 0;
}

}  // namespace archive
