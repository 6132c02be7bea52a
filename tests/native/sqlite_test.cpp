// The SQLite the archive is built on: page encryption and FTS5 with the
// trigram tokenizer, in the build the native tests share with the program.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Database {
    sqlite3* db = nullptr;
    explicit Database(const std::string& path) { EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK); }
    ~Database() { sqlite3_close(db); }
    void Run(const std::string& sql) { ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db); }
    std::string One(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return result;
    }
};

}  // namespace

TEST(Sqlite, AnEncryptedFileWithATrigramIndexHoldsNoReadableText) {
    const std::string path = testing::TempDir() + "pellacor-sqlite-test.db";
    std::remove(path.c_str());
    {
        Database d(path);
        d.Run("PRAGMA key='a secret of 32 bytes, say'");
        d.Run("CREATE VIRTUAL TABLE clips USING fts5(text, tokenize='trigram')");
        d.Run("INSERT INTO clips VALUES ('剪贴板历史纪录 😀 clipboard history')");
        EXPECT_EQ(d.One("SELECT text FROM clips WHERE clips MATCH '历史纪'"), "剪贴板历史纪录 😀 clipboard history");
        EXPECT_EQ(d.One("PRAGMA integrity_check"), "ok");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
    EXPECT_EQ(bytes.find("clipboard history"), std::string::npos);
    {
        Database wrong(path);
        wrong.Run("PRAGMA key='another key'");
        EXPECT_EQ(wrong.One("SELECT count(*) FROM clips"), "");  // not readable without its key
    }
    std::remove(path.c_str());
}
