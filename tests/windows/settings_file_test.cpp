// Pellacor.ini through the real private-profile functions.
#include <gtest/gtest.h>

#include "TestSupport_win.h"
#include "app/SettingsFile_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"

using namespace testing_support;

namespace {
struct Loaded {
    common::Settings settings;
    bool monitor = false;
    std::vector<common::Problem> problems;
};

// Reads the settings from `lines` of the [Configuration] section (none: no file).
Loaded LoadFrom(const TempFolder& folder, const std::string& lines = "") {
    if (!lines.empty()) WriteWholeFile(folder.File("Pellacor.ini"), "[Configuration]\r\n" + lines);
    app::SettingsFile file(folder.File("Pellacor.ini"));
    Loaded l;
    l.settings = file.ReadAll(folder.Path(), l.problems);
    l.monitor = l.settings.MonitorClipboard;
    return l;
}
}  // namespace

TEST(SettingsFile, FirstShutdownWritesEveryKeyInOrder) {
    TempFolder folder;
    Loaded l = LoadFrom(folder);
    EXPECT_EQ(l.settings.PersonalHistoryPath, folder.Path());
    EXPECT_TRUE(l.monitor);
    EXPECT_TRUE(l.problems.empty());
    app::SettingsFile(folder.File("Pellacor.ini")).WriteAll(l.settings);
    EXPECT_EQ(ReadWholeFile(folder.File("Pellacor.ini")),
              "[Configuration]\r\nMonitorClipboard=-1\r\nMaxHistorySize=20\r\nMaxCaptionLength=20\r\n"
              "NoDuplicatedEntries=-1\r\nDeleteClipConf=-1\r\nDeleteAllConf=-1\r\nHotKeyOn=-1\r\n"
              "HotKeyCombination=32854\r\nPreviewMode=-1\r\nAutoPaste=0\r\nPersonalHistoryPath=" + folder.Path() +
                  "\r\nIgnoredPrograms=\r\nKeepClipboardHistory=0\r\nKeepHistoryDays=90\r\nKeepHistoryMB=1024\r\n");
}

TEST(SettingsFile, ValuesAreConvertedAndWrittenBackNormalised) {
    TempFolder folder;
    const std::string programs = "KeePass.exe; 1Password ;" + std::string(300, 'p');  // longer than a path
    Loaded l = LoadFrom(folder, "PreviewMode=TRUE\r\nAutoPaste=true\r\nDeleteClipConf=False\r\nMaxHistorySize=1000\r\n"
                                "PersonalHistoryPath=D:\\Clips\r\nHotKeyCombination=49217\r\nMonitorClipboard=0\r\n"
                                "IgnoredPrograms=" + programs + "\r\n");
    EXPECT_TRUE(l.problems.empty());
    EXPECT_EQ(l.settings.IgnoredPrograms, programs);
    EXPECT_EQ(l.settings.HotKeyCombination, 49217);
    EXPECT_FALSE(l.monitor);
    app::SettingsFile file(folder.File("Pellacor.ini"));
    file.WriteAll(l.settings);
    EXPECT_EQ(file.Read("PreviewMode", ""), "-1");
    EXPECT_EQ(file.Read("AutoPaste", ""), "-1");
    EXPECT_EQ(file.Read("DeleteClipConf", ""), "0");
    EXPECT_EQ(file.Read("PersonalHistoryPath", ""), "D:\\Clips\\");
    EXPECT_EQ(file.Read("MaxHistorySize", ""), "1000");  // only the dialog enforces its range
    EXPECT_EQ(file.Read("MonitorClipboard", ""), "0");
    EXPECT_EQ(file.Read("IgnoredPrograms", "", 4096), programs);
}

TEST(SettingsFile, ValuesThatDoNotConvertKeepTheirDefaultsAndAreNamed) {
    TempFolder folder;
    Loaded l =
        LoadFrom(folder, "MaxHistorySize=abc\r\nHotKeyOn=maybe\r\nMaxCaptionLength=30\r\nPersonalHistoryPath=\r\n");
    EXPECT_EQ(l.settings.MaxHistorySize, 20);
    EXPECT_TRUE(l.settings.HotKeyOn);
    EXPECT_EQ(l.settings.MaxCaptionLength, 30);                 // the rest is still read
    EXPECT_EQ(l.settings.PersonalHistoryPath, folder.Path());  // empty means the application folder
    ASSERT_EQ(l.problems.size(), 2u);
    EXPECT_NE(l.problems[0].Text.find("MaxHistorySize"), std::string::npos);
    EXPECT_NE(l.problems[1].Text.find("HotKeyOn"), std::string::npos);
    EXPECT_EQ(l.problems[0].Kind, common::Severity::Warning);  // made do, nothing failed

    std::string longPath = "C:\\" + std::string(300, 'a');  // cut to 260 characters
    EXPECT_EQ(LoadFrom(folder, "PersonalHistoryPath=" + longPath + "\r\n").settings.PersonalHistoryPath,
              longPath.substr(0, 260) + "\\");
}

TEST(SettingsFile, AFileThatCannotBeWrittenIsOneFailureNamingEveryKey) {
    TempFolder folder;
    const std::string path = folder.File("Pellacor.ini");
    const std::string before = "[Configuration]\r\nMaxHistorySize=30\r\n";
    WriteWholeFile(path, before);
    MessageBoxRecorder boxes;
    {
        // Another program holds the file open and shares it with nobody.
        toolkit::UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(common::RunReported([&] { app::SettingsFile(path).WriteAll(common::Settings{}); }));
    }
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "PELLACOR : 错误 ");
    EXPECT_EQ(boxes.boxes[0].flags, static_cast<UINT>(MB_ICONERROR));
    const std::string& text = boxes.boxes[0].text;
    EXPECT_NE(text.find(path), std::string::npos) << text;
    for (const char* key : {"MonitorClipboard", "MaxHistorySize", "HotKeyCombination", "PersonalHistoryPath",
                            "IgnoredPrograms"})
        EXPECT_NE(text.find(key), std::string::npos) << key << ": " << text;
    EXPECT_EQ(ReadWholeFile(path), before);
}

// The file stays in code page 936, whatever the system's, while every value fits
// it: a folder's Chinese name is written and read as its code-page-936 bytes,
// as earlier versions wrote them. A value beyond it (a Korean folder, a program
// named with emoji) makes the file UTF-16, which every value comes back from as
// it was, under any code page, and which the profile functions read too.
TEST(SettingsFile, ValuesComeBackExactlyInCodePage936WhileTheyFitItElseInUtf16) {
    TempFolder folder;
    Loaded l = LoadFrom(folder, "PersonalHistoryPath=D:\\\xB8\xF6\xC8\xCB\r\n");
    EXPECT_EQ(l.settings.PersonalHistoryPath, "D:\\个人\\");
    app::SettingsFile file(folder.File("Pellacor.ini"));
    file.WriteAll(l.settings);
    EXPECT_NE(ReadWholeFile(folder.File("Pellacor.ini")).find("PersonalHistoryPath=D:\\\xB8\xF6\xC8\xCB\\\r\n"),
              std::string::npos);

    l.settings.PersonalHistoryPath = folder.File("한국어 😀\\");
    l.settings.IgnoredPrograms = "비밀.exe;パスワード.exe";
    file.WriteAll(l.settings);
    EXPECT_EQ(ReadWholeFile(folder.File("Pellacor.ini")).substr(0, 2), "\xFF\xFE");
    std::vector<common::Problem> problems;
    common::Settings read = file.ReadAll(folder.Path(), problems);
    EXPECT_EQ(read.PersonalHistoryPath, l.settings.PersonalHistoryPath);
    EXPECT_EQ(read.IgnoredPrograms, l.settings.IgnoredPrograms);
    wchar_t byProfile[MAX_PATH] = {};  // what an earlier version reads
    GetPrivateProfileStringW(L"Configuration", L"IgnoredPrograms", L"", byProfile, MAX_PATH,
                             common::Wide(folder.File("Pellacor.ini")).c_str());
    EXPECT_EQ(common::Utf8(byProfile), l.settings.IgnoredPrograms);
}
