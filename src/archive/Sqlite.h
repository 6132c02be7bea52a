#pragma once
// A thin RAII layer over SQLite for the archive: the connection, prepared
// statements and transactions, with every SQLite error turned into an
// ArchiveError of our own words (no SQLite English reaches the user).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ClipArchive.h"

struct sqlite3;
struct sqlite3_stmt;

namespace archive {

// Throws the ArchiveError of an SQLite result code (not OK, ROW or DONE).
// `keyed`: an encrypted file that reads as "not a database" had another key.
[[noreturn]] void ThrowSqlite(int code, bool keyed = false);

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, std::span<const uint8_t> bytes);
    Statement& BindPointer(int index, void* pointer, const char* type);
    // True for a row, false when done; throws on an error. An interrupted
    // statement throws ArchiveInterrupted.
    bool Step();
    void Run() {
        while (Step()) {
        }
    }
    void Reset();

    int64_t Int(int column) const;
    std::string Text(int column) const;
    std::vector<uint8_t> Blob(int column) const;
    std::span<const uint8_t> BlobView(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Thrown when Interrupt ended a statement: not a failure.
struct ArchiveInterrupted {};

// BEGIN IMMEDIATE ... COMMIT, rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* db);
    ~Transaction();
    void Commit();

private:
    sqlite3* db_;
    bool done_ = false;
};

void Execute(sqlite3* db, const char* sql);
int64_t QueryInt(sqlite3* db, std::string_view sql);

}  // namespace archive
