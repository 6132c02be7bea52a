// The version information that Explorer, the task manager and installers show:
// read through the platform from this test program, which carries the same
// resource file as Pellacor.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Version.h"
#include "common/Wide_win.h"

TEST(VersionInfo, NumbersAndTextsAreComplete) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_TRUE(!info.empty() && GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    auto value = [&](const std::string& name) {
        void* text = nullptr;
        UINT length = 0;
        std::wstring query = L"\\StringFileInfo\\080403a8\\" + common::Wide(name);
        bool found = VerQueryValueW(info.data(), query.c_str(), &text, &length) && length > 0;
        return found ? common::Utf8(static_cast<const wchar_t*>(text)) : "(missing)";
    };
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(61, 1)));
    EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(61, 1)));
    EXPECT_EQ(value("FileVersion"), "1.61");
    EXPECT_EQ(value("ProductVersion"), "1.61");
    EXPECT_EQ(value("ProductName"), "Pellacor");
    // The Chinese texts come whole through the UTF-16 of the resource.
    EXPECT_EQ(value("FileDescription"), "Pellacor 剪贴板历史");
    EXPECT_EQ(value("CompanyName"), PELLACOR_PUBLISHER);
    EXPECT_EQ(value("LegalCopyright"), PELLACOR_COPYRIGHT);
}
