#include "toolkit/DarkModeCalls_win.h"

#include <dwmapi.h>
#include <uxtheme.h>

namespace toolkit {
namespace {

// A system library, from the system folder only.
HMODULE SystemModule(const wchar_t* name) noexcept {
    HMODULE module = GetModuleHandleW(name);
    return module ? module : LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

DWORD SystemBuild() noexcept {
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const DWORD build = [] {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof(version);
        auto call = reinterpret_cast<RtlGetVersionCall>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
        if (!call || call(&version) != 0 || version.dwMajorVersion < 10) return DWORD{0};
        return version.dwBuildNumber;
    }();
    return build;
}

// The export of `module` at `ordinal`, only when it has no name: another
// implementation may give the number to a documented call with other arguments.
FARPROC NamelessExport(HMODULE module, WORD ordinal) noexcept {
    if (!module) return nullptr;
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) return nullptr;
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0) return nullptr;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    if (ordinal < exports->Base || ordinal - exports->Base >= exports->NumberOfFunctions) return nullptr;
    auto* nameOrdinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (nameOrdinals[i] == ordinal - exports->Base) return nullptr;
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

template <typename Call>
Call MenuCall(WORD ordinal) noexcept {
    // Before 1809 these numbers belonged to other calls.
    if (SystemBuild() < 17763) return nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void*>(NamelessExport(SystemModule(L"uxtheme.dll"), ordinal)));
}

using AllowDarkModeForWindowCall = BOOL(WINAPI*)(HWND, BOOL);
// SetPreferredAppMode since 1903; AllowDarkModeForApp(BOOL) in 1809: 1 means the same to both.
using SetPreferredAppModeCall = int(WINAPI*)(int);
using FlushMenuThemesCall = void(WINAPI*)();
using RefreshImmersiveColorPolicyStateCall = void(WINAPI*)();
constexpr int kAllowDark = 1;

struct MenuCalls {
    AllowDarkModeForWindowCall allowForWindow = MenuCall<AllowDarkModeForWindowCall>(133);
    SetPreferredAppModeCall setAppMode = MenuCall<SetPreferredAppModeCall>(135);
    FlushMenuThemesCall flush = MenuCall<FlushMenuThemesCall>(136);
    RefreshImmersiveColorPolicyStateCall refresh = MenuCall<RefreshImmersiveColorPolicyStateCall>(104);
    bool Complete() const noexcept { return allowForWindow && setAppMode && flush && refresh; }
};

const MenuCalls& Menus() noexcept {
    static const MenuCalls calls;
    return calls;
}

}  // namespace

void SetDarkCaption(HWND window, bool dark) noexcept {
    if (SystemBuild() < 17763) return;
    // The attribute's number was 19 before Windows 10 20H1 (build 18985), 20 since.
    constexpr DWORD kImmersiveDarkMode = 20, kImmersiveDarkModeBefore20H1 = 19;
    BOOL value = dark ? TRUE : FALSE;
    if (FAILED(DwmSetWindowAttribute(window, kImmersiveDarkMode, &value, sizeof(value))))
        DwmSetWindowAttribute(window, kImmersiveDarkModeBefore20H1, &value, sizeof(value));
}

bool DarkMenusOffered() noexcept { return Menus().Complete(); }

void AllowDarkMenus(HWND owner) noexcept {
    const MenuCalls& calls = Menus();
    if (!calls.Complete()) return;
    calls.setAppMode(kAllowDark);
    calls.allowForWindow(owner, TRUE);
    RefreshDarkMenus();
}

void RefreshDarkMenus() noexcept {
    const MenuCalls& calls = Menus();
    if (!calls.Complete()) return;
    calls.refresh();
    calls.flush();
}

void SetDarkControlStyle(HWND control, bool dark) noexcept {
    SetWindowTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}

void SetClassicControlStyle(HWND control, bool classic) noexcept {
    if (classic)
        SetWindowTheme(control, L"", L"");
    else
        SetWindowTheme(control, nullptr, nullptr);
}

}  // namespace toolkit
