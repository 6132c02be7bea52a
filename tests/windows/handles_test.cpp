// Every guard of Handles_win.h releases what it holds, checked with the platform.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport_win.h"
#include "toolkit/Handles_win.h"

using namespace toolkit;
using testing_support::HiddenWindow;

namespace {
bool Freed(HGLOBAL block) { return GlobalFlags(block) == static_cast<UINT>(GMEM_INVALID_HANDLE); }
}  // namespace

TEST(Handles, ClipboardSessionClosesTheClipboard) {
    HiddenWindow first, second;
    {
        ClipboardSession session(first.Handle());
        ASSERT_TRUE(session.IsOpen());
        EXPECT_EQ(GetOpenClipboardWindow(), first.Handle());
        EXPECT_FALSE(ClipboardSession(second.Handle()));  // another window can't have it meanwhile
    }
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_TRUE(ClipboardSession(second.Handle()));
}

TEST(Handles, GlobalLockGuardUnlocksAndReportsTheBlockSize) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, 37));
    {
        GlobalLockGuard lock(block.get());
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock.size(), 37u);
        EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u);
    GlobalLockGuard none(nullptr);
    EXPECT_FALSE(none);
    EXPECT_EQ(none.size(), 0u);
}

TEST(Handles, UniqueGlobalFreesUnlessReleasedAndMovesOwnership) {
    HGLOBAL kept = nullptr, freed = nullptr;
    {
        UniqueGlobal a(GlobalAlloc(GMEM_MOVEABLE, 8)), b(GlobalAlloc(GMEM_MOVEABLE, 8));
        freed = a.get();
        kept = b.release();
        EXPECT_FALSE(b);
    }
    EXPECT_TRUE(Freed(freed));
    EXPECT_EQ(GlobalSize(kept), 8u);

    UniqueGlobal b(kept), c(GlobalAlloc(GMEM_MOVEABLE, 8));
    HGLOBAL replaced = c.get();
    c = std::move(b);  // frees what c held
    EXPECT_FALSE(b);
    EXPECT_TRUE(Freed(replaced));
    EXPECT_EQ(c.get(), kept);
    c.reset(kept);  // resetting to the handle held keeps it
    EXPECT_EQ(GlobalSize(kept), 8u);
    c.reset();
    EXPECT_TRUE(Freed(kept));
}

TEST(Handles, UserObjectGuardsDestroyTheirObjects) {
    HMENU menu;
    HWND hwnd;
    HICON icon;
    {
        UniqueMenu menuGuard(CreatePopupMenu());
        UniqueWindow windowGuard(
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
        BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
        UniqueIcon iconGuard(CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
        menu = menuGuard.get();
        hwnd = windowGuard.get();
        icon = iconGuard.get();
        EXPECT_TRUE(IsMenu(menu) && IsWindow(hwnd));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(IsWindow(hwnd));
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(icon, &info));
}

TEST(Handles, GdiGuardsDeleteTheirObjects) {
    WindowDC screen(nullptr);
    ASSERT_NE(screen.get(), nullptr);
    HGDIOBJ objects[4];
    {
        UniqueDC dc(CreateCompatibleDC(screen.get()));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
        UniqueGdiObject brush(CreateSolidBrush(RGB(1, 2, 3)));
        LOGPALETTE log{0x300, 1, {{1, 2, 3, 0}}};
        UniquePalette palette(CreatePalette(&log));
        objects[0] = dc.get();
        objects[1] = bitmap.get();
        objects[2] = brush.get();
        objects[3] = palette.get();
        const DWORD types[] = {OBJ_MEMDC, OBJ_BITMAP, OBJ_BRUSH, OBJ_PAL};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(GetObjectType(objects[i]), types[i]) << i;
    }
    for (HGDIOBJ object : objects) EXPECT_EQ(GetObjectType(object), 0u);
}

TEST(Handles, SelectedObjectPutsThePreviousOneBack) {
    WindowDC screen(nullptr);
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
    {
        SelectedObject selected(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    EXPECT_TRUE(DeleteObject(bitmap.release()));  // deselected, it can be deleted at once
}

TEST(Handles, WindowDCIsReleased) {
    HiddenWindow window;
    HDC dc;
    {
        WindowDC guard(window.Handle());
        dc = guard.get();
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(WindowFromDC(dc), window.Handle());
    }
    EXPECT_NE(WindowFromDC(dc), window.Handle());  // a released DC belongs to no window any more
}

TEST(Handles, UniqueRegKeyClosesTheKey) {
    auto query = [](HKEY key) {
        return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr);
    };
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    {
        UniqueRegKey guard(key);
        EXPECT_EQ(query(key), ERROR_SUCCESS);
    }
    EXPECT_EQ(query(key), ERROR_INVALID_HANDLE);
}

TEST(Handles, UniqueKernelHandleAndUniqueFileClose) {
    HANDLE event;
    DWORD flags;
    {
        UniqueKernelHandle guard(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        event = guard.get();
        EXPECT_TRUE(GetHandleInformation(event, &flags));
    }
    EXPECT_FALSE(GetHandleInformation(event, &flags));

    testing_support::TempFolder folder;
    const std::string path = folder.File("closed");
    {
        UniqueFile file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        ASSERT_TRUE(file);
        EXPECT_TRUE(testing_support::FileExists(path));
    }
    EXPECT_FALSE(testing_support::FileExists(path));  // closed, so deleted
    // INVALID_HANDLE_VALUE (a failed open or snapshot) and null are no handles.
    EXPECT_FALSE(UniqueFile(CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    EXPECT_FALSE(UniqueKernelHandle(nullptr));
}

TEST(Handles, UniqueAtomDeletesTheAtom) {
    const char name[] = "PellacorTestAtom";
    {
        UniqueAtom atom(GlobalAddAtomA(name));
        ASSERT_TRUE(atom);
        EXPECT_EQ(GlobalFindAtomA(name), atom.get());
    }
    EXPECT_EQ(GlobalFindAtomA(name), 0);
}
