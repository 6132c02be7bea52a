// The clipboard archive against the real SQLite the program is built with.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "archive/ArchiveTokens.h"
#include "archive/ClipArchive.h"

using archive::ArchivedClip;
using archive::ArchiveError;
using archive::ArchiveFault;
using archive::ClipArchive;

namespace {

const std::vector<uint8_t> kKey(32, 0x5A);

struct ArchiveFile : testing::Test {
    std::string path = testing::TempDir() + "pellacor-archive-" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + ".db";
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
    }
    std::string Bytes() const {
        std::string all;
        for (const char* suffix : {"", "-wal"}) {
            std::ifstream in(path + suffix, std::ios::binary);
            all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return all;
    }
};

ArchivedClip Text(int64_t id, const std::string& text, int64_t copiedAt = 1000) {
    ArchivedClip clip;
    clip.Id = id;
    clip.CopiedAt = copiedAt;
    clip.ClassName = "TClipText";
    clip.Kind = 0;
    clip.Caption = text.substr(0, 20);
    clip.Source = "notepad.exe";
    clip.FoundBy = text;
    clip.Data.assign(text.begin(), text.end());
    return clip;
}

std::vector<int64_t> Found(ClipArchive& archive, const std::string& typed) {
    std::vector<int64_t> ids;
    archive.Find(typed, [&](int64_t id) {
        ids.push_back(id);
        return true;
    });
    return ids;
}

ArchiveFault FaultOpening(const std::string& path, std::span<const uint8_t> key) {
    try {
        ClipArchive archive(path, key);
    } catch (const ArchiveError& e) {
        return e.Fault();
    }
    ADD_FAILURE() << "opened";
    return ArchiveFault::Io;
}

}  // namespace

TEST_F(ArchiveFile, ANewFileIsEncryptedAndRefusesAnotherKeyAndForeignFiles) {
    {
        ClipArchive archive(path, kKey);
        archive.Store(Text(1, "剪贴板历史纪录 😀 clipboard history"));
        EXPECT_TRUE(archive.Check());
    }
    std::string bytes = Bytes();
    EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
    EXPECT_EQ(bytes.find("clipboard history"), std::string::npos);
    EXPECT_EQ(FaultOpening(path, std::vector<uint8_t>(32, 1)), ArchiveFault::WrongKey);
    { ClipArchive again(path, kKey); EXPECT_EQ(Found(again, "history"), std::vector<int64_t>{1}); }

    Remove();
    {  // another program's database
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "CREATE TABLE notes(text)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    EXPECT_EQ(FaultOpening(path, {}), ArchiveFault::NotAnArchive);
    Remove();
    { std::ofstream(path, std::ios::binary) << std::string(8192, '\x7F'); }
    EXPECT_EQ(FaultOpening(path, {}), ArchiveFault::NotAnArchive);
    EXPECT_EQ(FaultOpening(path, kKey), ArchiveFault::WrongKey);
}

TEST_F(ArchiveFile, ASchemaOfALaterVersionIsRefused) {
    { ClipArchive archive(path, {}); }
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    char* version = nullptr;
    sqlite3_exec(db, "PRAGMA user_version", [](void* out, int, char** values, char**) {
        *static_cast<char**>(out) = sqlite3_mprintf("%s", values[0]);
        return 0;
    }, &version, nullptr);
    EXPECT_STREQ(version, "1");
    sqlite3_free(version);
    sqlite3_exec(db, "PRAGMA user_version=2", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(FaultOpening(path, {}), ArchiveFault::NewerSchema);
}

TEST_F(ArchiveFile, DamageInsideTheFileIsFoundByTheCheck) {
    {
        ClipArchive archive(path, {});
        for (int i = 1; i <= 200; ++i) archive.Store(Text(i, "page filler " + std::to_string(i) + std::string(3000, 'p')));
    }
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(40 * 4096);
        file << std::string(4096 * 20, '\xA5');
    }
    try {
        ClipArchive archive(path, {});
        EXPECT_FALSE(archive.QuickCheck());
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Fault(), ArchiveFault::Damaged);
    }
}

TEST_F(ArchiveFile, CopyingAgainMakesTheArchivedClipTheNewestAndReplacingDropsTheOlderForm) {
    ClipArchive archive(path, {});
    archive.Store(Text(1, "same words"));
    archive.Store(Text(2, "other words"));
    archive.Store(Text(3, "same words"));  // copied again
    ArchivedClip image = Text(4, "same words");
    image.ClassName = "TClipImage";  // another kind with the same bytes is another clip
    archive.Store(image);
    EXPECT_EQ(archive.Summary().Clips, 3);
    EXPECT_EQ(Found(archive, "same"), (std::vector<int64_t>{4, 3}));
    EXPECT_FALSE(archive.Load(1));
    EXPECT_EQ(archive.NextId(), 5);

    archive.Store(Text(5, "renamed words"), 2);  // a transformed clip takes the place of its older form
    EXPECT_FALSE(archive.Load(2));
    EXPECT_EQ(Found(archive, "words"), (std::vector<int64_t>{5, 4, 3}));
    archive.Delete(std::vector<int64_t>{3, 99});
    EXPECT_EQ(Found(archive, "words"), (std::vector<int64_t>{5, 4}));
    EXPECT_EQ(archive.Newest(1).front().Caption, "renamed words");
    EXPECT_TRUE(archive.Check());
}

TEST_F(ArchiveFile, AnyPartOfATextIsFoundDownToOneCharacterInAnyScriptAndCase) {
    ClipArchive archive(path, {});
    archive.Store(Text(1, "会议纪要: 明天下午三点"));
    archive.Store(Text(2, "Σοφία Meeting NOTES"));
    archive.Store(Text(3, "회의록 🎉 done"));
    archive.Store(Text(4, "say \"hi\" AND NEAR(x) -y *z"));
    EXPECT_EQ(Found(archive, "议"), std::vector<int64_t>{1});
    EXPECT_EQ(Found(archive, "纪要"), std::vector<int64_t>{1});
    EXPECT_EQ(Found(archive, "明天下午"), std::vector<int64_t>{1});
    EXPECT_EQ(Found(archive, "下明"), std::vector<int64_t>{});
    EXPECT_EQ(Found(archive, "ΣΟΦΊΑ meet"), std::vector<int64_t>{2});
    EXPECT_EQ(Found(archive, "G"), std::vector<int64_t>{2});
    EXPECT_EQ(Found(archive, "의록"), std::vector<int64_t>{3});
    EXPECT_EQ(Found(archive, "🎉"), std::vector<int64_t>{3});
    EXPECT_EQ(Found(archive, "notes meeting"), std::vector<int64_t>{2});
    EXPECT_EQ(Found(archive, "notes absent"), std::vector<int64_t>{});
    EXPECT_EQ(Found(archive, "tesΣ"), std::vector<int64_t>{});  // no word runs across a blank
    EXPECT_EQ(Found(archive, "pad.exe"), (std::vector<int64_t>{4, 3, 2, 1}));  // the source too
    EXPECT_EQ(Found(archive, "notesnotepad"), std::vector<int64_t>{});  // nor across two parts
    // Search syntax typed is taken as text.
    EXPECT_EQ(Found(archive, "\"hi\""), std::vector<int64_t>{4});
    EXPECT_EQ(Found(archive, "NEAR(x)"), std::vector<int64_t>{4});
    EXPECT_EQ(Found(archive, "AND -y *z"), std::vector<int64_t>{4});
    EXPECT_EQ(Found(archive, "   "), (std::vector<int64_t>{4, 3, 2, 1}));
    EXPECT_EQ(Found(archive, std::string("bad\xFF\xC3")), std::vector<int64_t>{});
}

TEST_F(ArchiveFile, RetentionRemovesTheOldThenTheOldestBeyondTheSizeAndDeletedTextLeavesTheFile) {
    ClipArchive archive(path, {});
    const std::string secret = "UniqueSecretText-";
    for (int i = 1; i <= 40; ++i) archive.Store(Text(i, secret + std::to_string(i) + std::string(20000, 'x'), 1000 + i));
    EXPECT_EQ(archive.Prune(1000 + 11 + 86400, 1, int64_t{1} << 40), 10);  // copied more than a day before
    EXPECT_FALSE(archive.Load(10));
    EXPECT_TRUE(archive.Load(11));
    int64_t before = archive.Summary().Bytes;
    archive.Prune(0, 1, before / 2);
    EXPECT_LE(archive.Summary().Bytes, before / 2 + 65536);
    EXPECT_TRUE(archive.Load(40));
    EXPECT_GT(archive.Summary().Clips, 5);

    archive.Clear();
    EXPECT_EQ(archive.Summary().Clips, 0);
    EXPECT_EQ(Found(archive, "x"), std::vector<int64_t>{});
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(Bytes().find(secret), std::string::npos);
    EXPECT_TRUE(archive.Check());
}

TEST_F(ArchiveFile, AKilledWriterLeavesASoundFileWithEveryCommittedClip) {
    { ClipArchive archive(path, kKey); }
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        ClipArchive archive(path, kKey);
        for (int64_t id = 1;; ++id) {
            archive.Store(Text(id, "burst " + std::to_string(id) + std::string(3000, 'b')));
            if (write(pipeEnds[1], &id, sizeof id) != sizeof id) _exit(1);
        }
    }
    close(pipeEnds[1]);
    std::set<int64_t> committed;
    int64_t id = 0;
    while (committed.size() < 200 && read(pipeEnds[0], &id, sizeof id) == sizeof id) committed.insert(id);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    while (read(pipeEnds[0], &id, sizeof id) == sizeof id) committed.insert(id);
    close(pipeEnds[0]);

    ClipArchive archive(path, kKey);
    EXPECT_TRUE(archive.Check());
    for (int64_t one : committed) EXPECT_TRUE(archive.Load(one)) << one;
}

TEST(ArchiveTokens, AWordIsItsPairsAndADocumentHoldsEachCharacterToo) {
    std::vector<std::string> tokens;
    archive::Tokenize("Ab 中", false, [&](std::string_view token, bool colocated, size_t, size_t) {
        tokens.push_back(std::string(colocated ? "+" : "") + std::string(token));
    });
    EXPECT_EQ(tokens, (std::vector<std::string>{"ab", "+a", "b", "中"}));
    tokens.clear();
    archive::Tokenize("ABC", true, [&](std::string_view token, bool, size_t, size_t) { tokens.emplace_back(token); });
    EXPECT_EQ(tokens, (std::vector<std::string>{"ab", "bc"}));
    EXPECT_EQ(archive::MatchExpression(" a\"b  中 "), "\"a\"\"b\" AND \"中\"");
}
