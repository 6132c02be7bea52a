// Content that its program marks as private is never kept.
#include <gtest/gtest.h>

#include <string>

#include "HistoryFixture.h"

using namespace clips;
using namespace clipboard;
using namespace testing_support;

namespace {
Format Marker(const char* name, std::string bytes = "") {
    return {RegisterClipboardFormatA(name), Block(bytes)};
}
std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }
}  // namespace

using PrivateContentTest = HistoryFixture;

TEST_F(PrivateContentTest, MarkedCopiesAreNeitherKeptNorMarkAnEqualClip) {
    CopyText("hunter2");
    CopyText("unrelated");
    const std::pair<const char*, std::string> markers[] = {
        {"Clipboard Viewer Ignore", ""},
        {"ExcludeClipboardContentFromMonitorProcessing", "x"},
        {"CanIncludeInClipboardHistory", Dword(0)},
        {"CanIncludeInClipboardHistory", std::string(2, '\1')},  // too short counts as private
    };
    for (const auto& [name, bytes] : markers) {
        SCOPED_TRACE(name);
        Copy({Text(CF_TEXT, "hunter2"), Marker(name, bytes)});
        EXPECT_EQ(Clips(), 2);
        EXPECT_EQ(MarkedItems(), 0);
        Copy({Text(CF_TEXT, "a new secret"), Marker(name, bytes)});
        EXPECT_EQ(Clips(), 2);
    }
    // Allowed into clipboard histories: captured as usual.
    Copy({Text(CF_TEXT, "hunter2"), Marker("CanIncludeInClipboardHistory", Dword(1))});
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(Marked(ClipboardClips().front()));  // the duplicate is marked
    Copy({Text(CF_TEXT, "shareable"), Marker("CanIncludeInClipboardHistory", Dword(1))});
    EXPECT_EQ(Clips(), 3);
}

TEST_F(PrivateContentTest, CopiesFromAnIgnoredProgramAreNeitherKeptNorMarkAnEqualClip) {
    CopyText("hunter2");  // "another program" is this test program: windows_tests.exe
    settings.IgnoredPrograms = "KeePass.exe ;  WINDOWS_TESTS ; ";
    Copy({Text(CF_TEXT, "hunter2")});
    EXPECT_EQ(MarkedItems(), 0);
    Copy({Text(CF_TEXT, "a new secret")});
    EXPECT_EQ(Clips(), 1);
    settings.IgnoredPrograms = "windows_test.exe;tests.exe";  // other names: kept
    Copy({Text(CF_TEXT, "a new secret")});
    EXPECT_EQ(Clips(), 2);
}

TEST_F(PrivateContentTest, AnIgnoredProgramsCopyIsKnownByWhatTheNoticeSawAfterItsWindowIsGone) {
    settings.IgnoredPrograms = "windows_tests.exe";  // the program every "other" window belongs to
    {
        HiddenWindow helper("CopiesAndExits");
        ASSERT_TRUE(PutOnClipboard(helper.Handle(), {Text(CF_TEXT, "a one-time code")}));
        NoteClipboardSource();  // what the watcher does on the notice, before anything else
    }
    history->ClipboardChanged();  // the owner window is gone by now
    EXPECT_EQ(Clips(), 0);
}
