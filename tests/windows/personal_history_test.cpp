// The personal history across a restart of the main form, with real files.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport_win.h"
#include "app/MainForm_win.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"
#include "personal/PersonalAutoSave_win.h"
#include "personal/PersonalFile_win.h"
#include "personal/PersonalRecord.h"
#include "toolkit/BmpFile.h"

using namespace testing_support;

// The records below name only the fields that matter; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

class PersonalHistory : public ::testing::Test {
protected:
    std::unique_ptr<app::TfrmMain> Start() { return std::make_unique<app::TfrmMain>(folder.Path()); }

    static void AddPersonal(app::TfrmMain& form, std::unique_ptr<clips::TClip> clip, int kind) {
        clip->SetKind(kind);
        form.History().AppendLoaded(std::move(clip));
    }
    static std::unique_ptr<clips::TClipText> Text(const std::string& text) {
        auto clip = std::make_unique<clips::TClipText>();
        clip->Text = text;
        clip->SetCaption(text);
        clip->Source = "notepad.exe";
        clip->CapturedAt = "Monday 07 December 2026, 10:20:30";
        return clip;
    }
    // The background save after the last change has ended.
    static ::testing::AssertionResult Saved(const app::TfrmMain& form) {
        return WaitedFor("the personal history's save", [&] { return !form.AutoSave()->Pending(); });
    }
    static std::vector<std::string> PersonalCaptions(app::TfrmMain& form) {
        std::vector<std::string> captions;
        for (clips::TClip* clip : form.History().Clips(history::Section::Personal)) captions.push_back(clip->Caption());
        return captions;
    }

    // Writes Personal.dat, less its last `cut` bytes; returns what was written.
    std::string Store(const std::vector<personal::ClipRecord>& records, size_t cut = 0) {
        std::vector<uint8_t> file = personal::WritePersonalRecords(records);
        std::string bytes(file.begin(), file.end() - static_cast<std::ptrdiff_t>(cut));
        WriteWholeFile(folder.File("Personal.dat"), bytes);
        return bytes;
    }

    QuietFolder folder;
};

}  // namespace

TEST_F(PersonalHistory, ClipsComeBackInOrderAboveTheClipboardHistoryAndNoneMarked) {
    {
        auto form = Start();
        AddPersonal(*form, Text("one"), 0);
        AddPersonal(*form, Text("两个"), 0);
        AddPersonal(*form, Text("three"), 0);
        form->History().Store().SetOnClipboard(form->History().Clips(history::Section::Personal)[1]);  // "两个" is on the clipboard at exit
        form->UpdateHistory();
    }
    auto form = Start();
    EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"one", "两个", "three"}));
    EXPECT_FALSE(form->History().Menu().mniPersonalHistoryEmpty->Visible());
    EXPECT_EQ(GetMenuDefaultItem(form->HistoryMenu(), TRUE, 0), static_cast<UINT>(-1));
    EXPECT_EQ(common::Utf8(form->Tray()->Data().szTip), "PELLACOR [ 0 剪辑 -  3 个人剪辑 ]");
}

TEST_F(PersonalHistory, UndoStateAndEveryKindSurviveARestart) {
    {
        auto form = Start();
        auto transformed = Text("HELLO");
        transformed->Backup = "hello";
        transformed->UndoAvailable = true;
        AddPersonal(*form, std::move(transformed), 0);

        toolkit::BmpImage image;
        image.format = {3, 2, 32, {}, {}};
        for (int i = 0; i < 6; ++i) image.pixels.insert(image.pixels.end(), {uint8_t(i), uint8_t(10 * i), 200, 0});
        auto picture = std::make_unique<clips::TClipImage>();
        picture->Bitmap().LoadFromBmp(toolkit::WriteBmp(image));
        picture->SetCaption("图像  [ 3 x 2 ]");
        AddPersonal(*form, std::move(picture), clips::kImage);

        auto files = std::make_unique<clips::TClipFiles>();
        files->FileList = "C:\\a.txt\r\nC:\\b.txt\r\n";
        files->SetCaption("C:\\a.txt C:\\b.txt");
        AddPersonal(*form, std::move(files), clips::kFileList);
    }
    // The picture's record carries its BMP before its caption.
    std::string bytes = ReadWholeFile(folder.File("Personal.dat"));
    size_t second = bytes.find("TPF0", 4);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(bytes.find("Bitmap.Data", second), bytes.find("Caption", second));

    auto form = Start();
    ASSERT_EQ(form->History().PersonalCount(), 3);
    auto* text = dynamic_cast<clips::TClipText*>(form->History().Clips(history::Section::Personal).front());
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->UndoAvailable);
    EXPECT_EQ(text->Backup, "hello");
    auto* picture = dynamic_cast<clips::TClipImage*>(form->History().Clips(history::Section::Personal)[1]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Bitmap().Width(), 3);
    EXPECT_EQ(picture->Bitmap().Height(), 2);
    std::vector<uint8_t> colours;  // blue, green and red: the fourth byte of a pixel is not kept
    for (size_t i = 0; i < picture->Bitmap().Pixels().size(); ++i)
        if (i % 4 != 3) colours.push_back(picture->Bitmap().Pixels()[i]);
    EXPECT_EQ(colours, (std::vector<uint8_t>{0, 0, 200, 1, 10, 200, 2, 20, 200, 3, 30, 200, 4, 40, 200, 5, 50, 200}));
    auto* files = dynamic_cast<clips::TClipFiles*>(form->History().Clips(history::Section::Personal)[2]);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->FileList, "C:\\a.txt\r\nC:\\b.txt\r\n");
    EXPECT_EQ(files->Kind(), clips::kFileList);
}

TEST_F(PersonalHistory, ADamagedFileKeepsTheClipsBeforeTheDamageAndIsSetAside) {
    std::vector<personal::ClipRecord> records;
    for (const char* text : {"clip 0", "clip 1", "clip 2"})
        records.push_back({.Class = personal::ClipClass::Text, .Caption = text, .ImageIndex = 0, .Text = text});
    const std::string original = Store(records, 5);  // the third record is cut short
    {
        MessageBoxRecorder boxes;
        auto form = Start();
        EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"clip 0", "clip 1"}));
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_NE(boxes.boxes[0].text.find("Personal.dat.bad"), std::string::npos);
        EXPECT_TRUE(form->Tray()->Added());  // start-up went on
    }
    EXPECT_EQ(ReadWholeFile(folder.File("Personal.dat.bad")), original);
    std::vector<uint8_t> saved = personal::WritePersonalRecords(std::span(records.data(), 2));
    EXPECT_EQ(ReadWholeFile(folder.File("Personal.dat")), std::string(saved.begin(), saved.end()));
}

TEST_F(PersonalHistory, ARecordWithAnImpossiblePictureStopsTheLoadThere) {
    Store({{.Class = personal::ClipClass::Text, .Caption = "kept", .Text = "kept"},
           {.Class = personal::ClipClass::Image, .BitmapData = {'B', 'M', 1, 2, 3}, .Caption = "图像  [ 9 x 9 ]"}});
    MessageBoxRecorder boxes;
    auto form = Start();
    EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(PersonalHistory, EveryChangeIsSavedSoonWithoutWaitingForTheExit) {
    auto form = Start();
    history::History& h = form->History();
    // What a crash, a power cut or a killed process would leave behind.
    auto stored = [&] {
        EXPECT_TRUE(Saved(*form));
        std::vector<std::string> texts;
        for (const personal::ClipRecord& record : personal::LoadPersonalFile(folder.Path()).Records)
            texts.push_back(record.Caption + "/" + record.Text);
        return texts;
    };
    for (const char* text : {"kept", "also kept"}) {  // a burst: saved together
        auto clip = Text(text);
        clips::TClip* raw = clip.get();
        h.Append(std::move(clip));
        h.AddToPersonalHistory(clips::ClipRef(raw));
    }
    EXPECT_EQ(stored(), (std::vector<std::string>{"kept/kept", "also kept/also kept"}));

    auto* first = dynamic_cast<clips::TClipText*>(h.Clips(history::Section::Personal).front());
    h.TransformClip(*first, history::Transformation::UpperCase);
    EXPECT_EQ(stored(), (std::vector<std::string>{"KEPT/KEPT", "also kept/also kept"}));
    h.UndoTransformation(*first);
    EXPECT_EQ(stored(), (std::vector<std::string>{"KEPT/kept", "also kept/also kept"}));

    h.RemoveFromPersonalHistory(clips::ClipRef(first));
    EXPECT_EQ(stored(), std::vector<std::string>{"also kept/also kept"});
    MessageBoxRecorder yes(IDYES);
    h.EmptySectionOf(clips::ClipRef(h.Clips(history::Section::Personal).front()));
    EXPECT_EQ(stored(), std::vector<std::string>{});
}

TEST_F(PersonalHistory, ASaveThatFailsMeanwhileIsReportedOnceAndKeepsTheClips) {
    // A read-only Personal.dat is never replaced.
    WriteWholeFile(folder.File("Personal.dat"), "");
    SetFileAttributesA(folder.File("Personal.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    MessageBoxRecorder boxes;
    auto form = Start();
    for (const char* text : {"one", "two"}) {
        AddPersonal(*form, Text(text), clips::kPlainText);
        auto* clip = dynamic_cast<clips::TClipText*>(form->History().Clips(history::Section::Personal).back());
        form->History().TransformClip(*clip, history::Transformation::UpperCase);
        ASSERT_TRUE(Saved(*form));
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);  // not once per try
    EXPECT_NE(boxes.boxes[0].text.find("无法保存个人历史文件"), std::string::npos) << boxes.boxes[0].text;
    EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"ONE", "TWO"}));

    SetFileAttributesA(folder.File("Personal.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    // With no further change the save is tried again by itself, and the one notice stays one.
    EXPECT_TRUE(WaitedFor("the save tried again", [&] { return !form->AutoSave()->Failing(); }, 10000));
    EXPECT_EQ(personal::LoadPersonalFile(folder.Path()).Records.size(), 2u);
    auto* first = dynamic_cast<clips::TClipText*>(form->History().Clips(history::Section::Personal).front());
    form->History().UndoTransformation(*first);
    ASSERT_TRUE(Saved(*form));
    EXPECT_EQ(personal::LoadPersonalFile(folder.Path()).Records.size(), 2u);
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(PersonalHistory, AFailedSaveIsReportedAndTheSettingsAreStillWritten) {
    // A folder in place of Personal.dat: the file cannot be replaced.
    CreateDirectoryA(folder.File("Personal.dat").c_str(), nullptr);
    MessageBoxRecorder boxes;
    {
        auto form = Start();
        AddPersonal(*form, Text("not lost"), 0);
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(ReadWholeFile(folder.File("Pellacor.ini")).find("PersonalHistoryPath="), std::string::npos);
}

TEST_F(PersonalHistory, AFileHeldByAnotherProgramAtStartIsNeverOverwrittenTheClipsGoBesideIt) {
    const std::string original = Store({{.Class = personal::ClipClass::Text, .Caption = "kept", .Text = "kept"}});
    MessageBoxRecorder boxes;
    {
        std::unique_ptr<app::TfrmMain> form;
        {
            // Opened without sharing (as another program may): it can be neither read nor moved aside.
            toolkit::UniqueFile held(CreateFileA(folder.File("Personal.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
            form = Start();
        }  // let go before the exit
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_TRUE(PersonalCaptions(*form).empty());
        AddPersonal(*form, Text("new this run"), 0);
        SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);  // saves, and so does the exit after it
    }
    EXPECT_EQ(ReadWholeFile(folder.File("Personal.dat")), original);
    const std::string beside = folder.File("Personal.dat.new");
    EXPECT_NE(ReadWholeFile(beside).find("new this run"), std::string::npos);
    EXPECT_FALSE(FileExists(folder.File("Personal.dat.1.new")));  // every save of the run goes to one name
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_NE(boxes.boxes[2].text.find(beside), std::string::npos) << boxes.boxes[2].text;

    auto form = Start();  // the file can be read again: its clips are all there
    EXPECT_EQ(PersonalCaptions(*form), std::vector<std::string>{"kept"});
}

TEST_F(PersonalHistory, AnEmptyHistoryGivesAnEmptyFile) {
    { auto form = Start(); }
    EXPECT_EQ(ReadWholeFile(folder.File("Personal.dat")), "");
    auto form = Start();
    EXPECT_TRUE(form->History().Menu().mniPersonalHistoryEmpty->Visible());
}

TEST_F(PersonalHistory, AnotherFileInANewFolderIsKeptNotOverwritten) {
    TempFolder moved;
    WriteWholeFile(moved.File("Personal.dat"), "not ours");
    MessageBoxRecorder boxes;
    {
        auto form = Start();
        AddPersonal(*form, Text("ours"), 0);
        form->Settings().PersonalHistoryPath = moved.Path();  // as the preferences change it
        SendMessageA(form->Handle(), WM_ENDSESSION, TRUE, 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_NE(boxes.boxes[0].text.find(moved.File("Personal.dat.old")), std::string::npos);
        EXPECT_EQ(ReadWholeFile(moved.File("Personal.dat.old")), "not ours");
    }
    // The file written there is ours now: the exit replaces it without a word.
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_FALSE(FileExists(moved.File("Personal.dat.1.old")));
    auto form = Start();  // the settings file names the new folder
    EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"ours"}));
}

TEST_F(PersonalHistory, AFolderMissingAtStartIsWaitedForThenReadWithTheClipsAddedMeanwhileAfterItsOwn) {
    const std::string drive = folder.Path() + "late\\";  // a drive, network or sync folder mounted late
    WriteWholeFile(folder.File("Pellacor.ini"),
                   "[Configuration]\r\nHotKeyOn=0\r\nMonitorClipboard=0\r\nPersonalHistoryPath=" + drive + "\r\n");
    auto appear = [&](const char* text) {
        CreateDirectoryA(drive.c_str(), nullptr);
        personal::SavePersonalFile(drive, std::vector<personal::ClipRecord>{
                                              {.Class = personal::ClipClass::Text, .Caption = text, .ImageIndex = 0, .Text = text}});
    };
    auto addMeanwhile = [](app::TfrmMain& form, const char* text) {
        auto clip = Text(text);
        clips::TClip* raw = clip.get();
        form.History().Append(std::move(clip));
        form.History().AddToPersonalHistory(clips::ClipRef(raw));
    };
    MessageBoxRecorder boxes;
    {
        auto form = Start();
        ASSERT_EQ(boxes.boxes.size(), 1u);  // told once, at start-up
        EXPECT_NE(boxes.boxes[0].text.find(drive), std::string::npos) << boxes.boxes[0].text;
        addMeanwhile(*form, "meanwhile");
        ASSERT_TRUE(Saved(*form));
        EXPECT_FALSE(FileExists(drive));  // nothing written where the file has not been read
        appear("on the drive");
        ASSERT_TRUE(WaitedFor("the folder found", [&] { return form->History().PersonalCount() == 2; }, 10000));
        EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"on the drive", "meanwhile"}));
        EXPECT_EQ(personal::LoadPersonalFile(drive).Records.size(), 2u);
    }
    // Gone at the next start and at its exit: the clip added then is kept in the program's folder till the next start.
    std::filesystem::remove_all(drive);
    {
        auto form = Start();
        addMeanwhile(*form, "kept over a restart");
    }
    appear("back again");
    {
        auto form = Start();
        EXPECT_EQ(PersonalCaptions(*form), (std::vector<std::string>{"back again", "kept over a restart"}));
    }
    EXPECT_EQ(personal::LoadPersonalFile(drive).Records.size(), 2u);
    EXPECT_FALSE(FileExists(folder.Path() + "Personal.meanwhile\\Personal.dat"));
    EXPECT_EQ(boxes.boxes.size(), 2u);  // one for each start without the folder
}
