// The version information that Explorer, the task manager and installers show:
// read through the platform from this test program, which carries the same
// resource file as Pellacor.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Version.h"

namespace {

std::vector<char> OwnVersionInfo() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, info.data())) info.clear();
    return info;
}

std::string Value(std::vector<char>& info, const char* name) {
    void* text = nullptr;
    UINT length = 0;
    std::string query = std::string("\\StringFileInfo\\080403a8\\") + name;
    if (!VerQueryValueA(info.data(), query.c_str(), &text, &length) || length == 0) return "(missing)";
    return static_cast<const char*>(text);
}

}  // namespace

TEST(VersionInfo, NumbersAndTextsAreComplete) {
    std::vector<char> info = OwnVersionInfo();
    ASSERT_FALSE(info.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(61, 1)));
    EXPECT_EQ(fixed->dwProductVersionMS, static_cast<DWORD>(MAKELONG(61, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);

    EXPECT_EQ(Value(info, "FileVersion"), "1.61");
    EXPECT_EQ(Value(info, "ProductVersion"), "1.61");
    EXPECT_EQ(Value(info, "ProductName"), "Pellacor");
    // The Chinese texts come through the UTF-16 of the resource as the system's ANSI bytes.
    EXPECT_EQ(Value(info, "FileDescription"), "Pellacor 剪贴板历史");
    EXPECT_EQ(Value(info, "CompanyName"), PELLACOR_PUBLISHER);
    EXPECT_EQ(Value(info, "LegalCopyright"), PELLACOR_COPYRIGHT);
}
