// Content that its program marks as private is never kept.
#include <gtest/gtest.h>

#include <string>

#include "HistoryFixture.h"

using namespace clips;
using testing_support::Text;

namespace {

std::pair<UINT, std::string> Marker(const char* name, std::string bytes = "") {
    return {RegisterClipboardFormatA(name), bytes};
}

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }

struct PrivateContentTest : HistoryFixture {
    // An equal clip exists: a private copy must not even mark it.
    void SetUp() override {
        HistoryFixture::SetUp();
        CopyText("hunter2");
        CopyText("unrelated");
        ASSERT_EQ(Clips(), 2);
    }

    void ExpectNothingKept(const std::pair<UINT, std::string>& marker) {
        Copy({Text(CF_TEXT, "hunter2"), marker});
        EXPECT_EQ(Clips(), 2);
        EXPECT_EQ(MarkedItems(), 0);
        Copy({Text(CF_TEXT, "a new secret"), marker});
        EXPECT_EQ(Clips(), 2);
    }
};

}  // namespace

TEST_F(PrivateContentTest, ClipboardViewerIgnore) { ExpectNothingKept(Marker("Clipboard Viewer Ignore")); }

TEST_F(PrivateContentTest, ExcludeClipboardContentFromMonitorProcessing) {
    ExpectNothingKept(Marker("ExcludeClipboardContentFromMonitorProcessing", "x"));
}

TEST_F(PrivateContentTest, CanIncludeInClipboardHistoryZero) {
    ExpectNothingKept(Marker("CanIncludeInClipboardHistory", Dword(0)));
}

TEST_F(PrivateContentTest, CanIncludeInClipboardHistoryTooShortCountsAsPrivate) {
    ExpectNothingKept(Marker("CanIncludeInClipboardHistory", std::string(2, '\1')));
}

TEST_F(PrivateContentTest, CanIncludeInClipboardHistoryOneIsCapturedAsUsual) {
    Copy({Text(CF_TEXT, "hunter2"), Marker("CanIncludeInClipboardHistory", Dword(1))});
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(Item(history->ClipboardSeparatorIndex() + 2)->Default());  // the duplicate is marked
    Copy({Text(CF_TEXT, "shareable"), Marker("CanIncludeInClipboardHistory", Dword(1))});
    EXPECT_EQ(Clips(), 3);
    EXPECT_EQ(Newest()->Caption(), "shareable");
}
