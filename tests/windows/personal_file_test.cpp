// Personal.dat on real files: saving replaces the file only when everything was
// written, and loading a damaged file keeps it aside without ever overwriting
// an earlier damaged copy.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TestSupport_win.h"
#include "common/Failure.h"
#include "personal/PersonalFile_win.h"

using namespace personal;
using namespace testing_support;

// The records below name only the fields that matter; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

std::vector<ClipRecord> ThreeClips() {
    return {{.Class = ClipClass::Text, .Tag = 1, .Caption = "第一", .ImageIndex = 0, .Text = "第一 first",
             .Backup = "第一 FIRST"},
            {.Class = ClipClass::Image, .BitmapData = {'B', 'M', 58, 0, 0, 0}, .Caption = "图像", .ImageIndex = 3},
            {.Class = ClipClass::Files, .Caption = "C:\\a.txt", .Default = true, .ImageIndex = 4,
             .FileList = "C:\\a.txt"}};
}

std::string Bytes(const std::vector<uint8_t>& data) { return {data.begin(), data.end()}; }

struct PersonalFileTest : testing::Test {
    TempFolder scratch;  // removed with everything in it
    const std::string folder = scratch.Path();
    const std::string dat = scratch.File("Personal.dat");
};

// The text of the failure `save` throws; nothing when it saved.
std::optional<std::string> SaveFailure(const std::function<void()>& save) {
    try {
        save();
    } catch (const common::Failure& failure) {
        return failure.what();
    }
    return std::nullopt;
}

}  // namespace

TEST_F(PersonalFileTest, SavedClipsLoadBackInOrder) {
    EXPECT_TRUE(LoadPersonalFile(folder).Records.empty());  // no file yet: nothing, and no error
    std::vector<ClipRecord> records = ThreeClips();
    ASSERT_NO_THROW(SavePersonalFile(folder, records));
    EXPECT_FALSE(FileExists(dat + ".tmp"));
    EXPECT_EQ(ReadWholeFile(dat), Bytes(WritePersonalRecords(records)));
    PersonalLoadResult loaded = LoadPersonalFile(folder);
    EXPECT_FALSE(loaded.Error) << loaded.Error->Text;
    EXPECT_FALSE(loaded.KeptDamagedPath);
    EXPECT_EQ(loaded.Records, records);

    records.pop_back();  // saving again replaces the file
    ASSERT_NO_THROW(SavePersonalFile(folder, records));
    EXPECT_EQ(LoadPersonalFile(folder).Records, records);
}

TEST_F(PersonalFileTest, AFailedSaveLeavesTheOldFileAsItWas) {
    std::optional<std::string> error = SaveFailure([&] { SavePersonalFile(folder + "gone\\", ThreeClips()); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("Personal.dat"), std::string::npos) << *error;

    ASSERT_NO_THROW(SavePersonalFile(folder, ThreeClips()));
    const std::string before = ReadWholeFile(dat);
    // The file is read-only: it may not be replaced.
    ASSERT_TRUE(SetFileAttributesA(dat.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SaveFailure([&] { SavePersonalFile(folder, {}); }));
    EXPECT_FALSE(FileExists(dat + ".tmp"));
    ASSERT_TRUE(SetFileAttributesA(dat.c_str(), FILE_ATTRIBUTE_NORMAL));
    // The temporary file cannot be made: a folder holds its name.
    ASSERT_TRUE(CreateDirectoryA((dat + ".tmp").c_str(), nullptr));
    EXPECT_TRUE(SaveFailure([&] { SavePersonalFile(folder, {}); }));
    EXPECT_EQ(ReadWholeFile(dat), before);
}

TEST_F(PersonalFileTest, ADamagedFileLoadsItsCompleteClipsAndIsKeptAsideNeverOverAnEarlierCopy) {
    const std::vector<ClipRecord> records = ThreeClips();
    const std::string whole = Bytes(WritePersonalRecords(records));
    const std::string damaged[] = {
        whole.substr(0, whole.size() - 5),  // cut in the middle of the third record
        whole + "x",                        // a stray byte after three good records
        "not a record",
    };
    const char* kept[] = {"Personal.dat.bad", "Personal.dat.1.bad", "Personal.dat.2.bad"};
    const size_t complete[] = {2, 3, 0};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(kept[i]);
        WriteWholeFile(dat, damaged[i]);
        PersonalLoadResult loaded = LoadPersonalFile(folder);
        EXPECT_EQ(loaded.Records, std::vector(records.begin(), records.begin() + complete[i]));
        ASSERT_TRUE(loaded.Error);
        ASSERT_EQ(loaded.KeptDamagedPath, scratch.File(kept[i]));
        EXPECT_NE(loaded.Error->Text.find(*loaded.KeptDamagedPath), std::string::npos) << loaded.Error->Text;
        EXPECT_FALSE(FileExists(dat));
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadWholeFile(scratch.File(kept[i])), damaged[i]);
}
