// Personal.dat on real files: saving replaces the file only when everything was
// written, and loading a damaged file keeps it aside without ever overwriting
// an earlier damaged copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport_win.h"
#include "clips/PersonalFile_win.h"
#include "toolkit/Handles_win.h"

using namespace clips;

namespace {

class PersonalFileTest : public testing::Test {
protected:
    std::string Path(const char* name) const { return folder_ + name; }

    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static std::vector<uint8_t> ReadBytes(const std::string& path) {
        toolkit::UniqueFile file(
            CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_TRUE(file) << path;
        if (!file) return {};
        std::vector<uint8_t> data(GetFileSize(file.get(), nullptr));
        DWORD got = 0;
        EXPECT_TRUE(ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr));
        data.resize(got);
        return data;
    }

    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& data) {
        toolkit::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file) << path;
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr));
        ASSERT_EQ(written, data.size());
    }

    static std::vector<ClipRecord> ThreeClips() {
        std::vector<ClipRecord> records(3);
        records[0].Class = ClipClass::Text;
        records[0].Caption = "第一";
        records[0].ImageIndex = 0;
        records[0].Text = "第一 first";
        records[0].Tag = 1;
        records[0].Backup = "第一 FIRST";
        records[1].Class = ClipClass::Image;
        records[1].Caption = "图像  [ 1 x 1 ]";
        records[1].ImageIndex = 3;
        records[1].BitmapData = {'B', 'M', 58, 0, 0, 0};
        records[2].Class = ClipClass::Files;
        records[2].Caption = "C:\\a.txt";
        records[2].ImageIndex = 4;
        records[2].FileList = "C:\\a.txt";
        records[2].Default = true;
        return records;
    }

    testing_support::TempFolder scratch_;  // removed with everything in it
    std::string folder_ = scratch_.Path();
};

}  // namespace

TEST_F(PersonalFileTest, SavedClipsLoadBackInOrder) {
    std::vector<ClipRecord> records = ThreeClips();
    ASSERT_EQ(SavePersonalFile(folder_, records), std::nullopt);
    EXPECT_FALSE(Exists(Path("Personal.dat.tmp")));
    EXPECT_EQ(ReadBytes(Path("Personal.dat")), WritePersonalRecords(records));

    PersonalLoadResult loaded = LoadPersonalFile(folder_);
    EXPECT_FALSE(loaded.Error) << *loaded.Error;
    EXPECT_FALSE(loaded.KeptDamagedPath);
    EXPECT_EQ(loaded.Records, records);

    // Saving again replaces the file.
    records.pop_back();
    ASSERT_EQ(SavePersonalFile(folder_, records), std::nullopt);
    EXPECT_EQ(LoadPersonalFile(folder_).Records, records);
}

TEST_F(PersonalFileTest, AFolderWithAChineseNameWorks) {
    std::string chinese = folder_ + "个人历史\\";
    if (!CreateDirectoryA(chinese.c_str(), nullptr))
        GTEST_SKIP() << "this Wine cannot make non-ASCII file names (is its unix locale zh_CN.UTF-8 generated?)";
    std::vector<ClipRecord> records = ThreeClips();
    EXPECT_EQ(SavePersonalFile(chinese, records), std::nullopt);
    EXPECT_EQ(LoadPersonalFile(chinese).Records, records);
}

TEST_F(PersonalFileTest, NoClipsMakeAnEmptyFileAndNoFileLoadsNothing) {
    PersonalLoadResult none = LoadPersonalFile(folder_);
    EXPECT_TRUE(none.Records.empty());
    EXPECT_FALSE(none.Error);

    ASSERT_EQ(SavePersonalFile(folder_, ThreeClips()), std::nullopt);
    ASSERT_EQ(SavePersonalFile(folder_, {}), std::nullopt);
    ASSERT_TRUE(Exists(Path("Personal.dat")));
    EXPECT_TRUE(ReadBytes(Path("Personal.dat")).empty());
    PersonalLoadResult empty = LoadPersonalFile(folder_);
    EXPECT_TRUE(empty.Records.empty());
    EXPECT_FALSE(empty.Error);
}

TEST_F(PersonalFileTest, SaveIntoAMissingFolderFailsWithAMessage) {
    std::string missing = folder_ + "gone\\";
    std::optional<std::string> error = SavePersonalFile(missing, ThreeClips());
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("Personal.dat"), std::string::npos) << *error;
    EXPECT_FALSE(Exists(missing));

    PersonalLoadResult loaded = LoadPersonalFile(missing);
    EXPECT_TRUE(loaded.Records.empty());
    EXPECT_FALSE(loaded.Error);
}

TEST_F(PersonalFileTest, AFailedSaveLeavesTheOldFileAsItWas) {
    std::vector<ClipRecord> old = ThreeClips();
    ASSERT_EQ(SavePersonalFile(folder_, old), std::nullopt);
    std::vector<uint8_t> before = ReadBytes(Path("Personal.dat"));

    // The file is read-only: it may not be replaced.
    ASSERT_TRUE(SetFileAttributesA(Path("Personal.dat").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SavePersonalFile(folder_, {}));
    EXPECT_EQ(ReadBytes(Path("Personal.dat")), before);
    EXPECT_FALSE(Exists(Path("Personal.dat.tmp")));
    ASSERT_TRUE(SetFileAttributesA(Path("Personal.dat").c_str(), FILE_ATTRIBUTE_NORMAL));

    // Another program has the file open and shares nothing.
    {
        toolkit::UniqueFile held(
            CreateFileA(Path("Personal.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_TRUE(SavePersonalFile(folder_, {}));
        EXPECT_FALSE(Exists(Path("Personal.dat.tmp")));
    }
    EXPECT_EQ(ReadBytes(Path("Personal.dat")), before);

    // The temporary file cannot be made: a folder holds its name.
    ASSERT_TRUE(CreateDirectoryA(Path("Personal.dat.tmp").c_str(), nullptr));
    EXPECT_TRUE(SavePersonalFile(folder_, {}));
    EXPECT_EQ(ReadBytes(Path("Personal.dat")), before);
    RemoveDirectoryA(Path("Personal.dat.tmp").c_str());
}

TEST_F(PersonalFileTest, ATruncatedFileLoadsTheCompleteClipsAndIsKeptAside) {
    std::vector<ClipRecord> records = ThreeClips();
    std::vector<uint8_t> whole = WritePersonalRecords(records);
    std::vector<uint8_t> cut(whole.begin(), whole.end() - 5);  // in the middle of the third record
    WriteBytes(Path("Personal.dat"), cut);

    PersonalLoadResult loaded = LoadPersonalFile(folder_);
    ASSERT_EQ(loaded.Records.size(), 2u);
    EXPECT_EQ(loaded.Records[0], records[0]);
    EXPECT_EQ(loaded.Records[1], records[1]);
    ASSERT_TRUE(loaded.Error);
    ASSERT_EQ(loaded.KeptDamagedPath, Path("Personal.dat.bad"));
    EXPECT_NE(loaded.Error->find(*loaded.KeptDamagedPath), std::string::npos) << *loaded.Error;
    EXPECT_FALSE(Exists(Path("Personal.dat")));
    EXPECT_EQ(ReadBytes(Path("Personal.dat.bad")), cut);

    // The clips that were read are saved normally afterwards.
    ASSERT_EQ(SavePersonalFile(folder_, loaded.Records), std::nullopt);
    EXPECT_EQ(LoadPersonalFile(folder_).Records, loaded.Records);
}

TEST_F(PersonalFileTest, ALaterDamagedFileNeverOverwritesAnEarlierCopy) {
    std::vector<uint8_t> first = {'T', 'P', 'F', '0', 9};
    std::vector<uint8_t> second = WritePersonalRecords(ThreeClips());
    second.push_back('x');  // one stray byte after three good records
    std::vector<uint8_t> third = {'n', 'o', 't', ' ', 'a', ' ', 'r', 'e', 'c', 'o', 'r', 'd'};

    WriteBytes(Path("Personal.dat"), first);
    EXPECT_EQ(LoadPersonalFile(folder_).KeptDamagedPath, Path("Personal.dat.bad"));
    WriteBytes(Path("Personal.dat"), second);
    PersonalLoadResult again = LoadPersonalFile(folder_);
    EXPECT_EQ(again.Records, ThreeClips());
    EXPECT_EQ(again.KeptDamagedPath, Path("Personal.dat.1.bad"));
    WriteBytes(Path("Personal.dat"), third);
    EXPECT_EQ(LoadPersonalFile(folder_).KeptDamagedPath, Path("Personal.dat.2.bad"));

    EXPECT_EQ(ReadBytes(Path("Personal.dat.bad")), first);
    EXPECT_EQ(ReadBytes(Path("Personal.dat.1.bad")), second);
    EXPECT_EQ(ReadBytes(Path("Personal.dat.2.bad")), third);
}
