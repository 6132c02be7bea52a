// Every guard of Handles_win.h releases what it holds, checked with the platform.
#include <gtest/gtest.h>

#include <string>

#include "ClipboardSupport.h"
#include "toolkit/Handles_win.h"

using namespace toolkit;
using testing_support::HiddenWindow;

TEST(Handles, ClipboardSessionClosesTheClipboard) {
    HiddenWindow first, second;
    {
        ClipboardSession session(first.Handle());
        ASSERT_TRUE(session.IsOpen());
        EXPECT_EQ(GetOpenClipboardWindow(), first.Handle());
        ClipboardSession busy(second.Handle());  // another window can't have it meanwhile
        EXPECT_FALSE(busy);
    }
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    ClipboardSession after(second.Handle());
    EXPECT_TRUE(after);
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

TEST(Handles, UniqueGlobalFreesUnlessReleased) {
    HGLOBAL kept = nullptr;
    HGLOBAL freed = nullptr;
    {
        UniqueGlobal a(GlobalAlloc(GMEM_MOVEABLE, 8)), b(GlobalAlloc(GMEM_MOVEABLE, 8));
        freed = a.get();
        kept = b.release();
        EXPECT_FALSE(b);
    }
    EXPECT_EQ(GlobalFlags(freed), static_cast<UINT>(GMEM_INVALID_HANDLE));
    EXPECT_EQ(GlobalSize(kept), 8u);
    GlobalFree(kept);
}

TEST(Handles, MovingAGuardMovesOwnership) {
    UniqueGlobal a(GlobalAlloc(GMEM_MOVEABLE, 8));
    HGLOBAL h = a.get();
    UniqueGlobal b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), h);
    UniqueGlobal c(GlobalAlloc(GMEM_MOVEABLE, 8));
    HGLOBAL replaced = c.get();
    c = std::move(b);  // frees what c held
    EXPECT_EQ(GlobalFlags(replaced), static_cast<UINT>(GMEM_INVALID_HANDLE));
    EXPECT_EQ(c.get(), h);
    c.reset(h);  // resetting to the handle held keeps it
    EXPECT_EQ(GlobalSize(h), 8u);
    c.reset();
    EXPECT_EQ(GlobalFlags(h), static_cast<UINT>(GMEM_INVALID_HANDLE));
}

TEST(Handles, UserObjectGuardsDestroyTheirObjects) {
    HMENU menu;
    HWND hwnd;
    HICON icon;
    {
        UniqueMenu menuGuard(CreatePopupMenu());
        UniqueWindow windowGuard(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
        BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
        UniqueIcon iconGuard(CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
        menu = menuGuard.get();
        hwnd = windowGuard.get();
        icon = iconGuard.get();
        EXPECT_TRUE(IsMenu(menu));
        EXPECT_TRUE(IsWindow(hwnd));
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
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ brush;
    HPALETTE palette;
    {
        UniqueDC dcGuard(CreateCompatibleDC(screen.get()));
        UniqueBitmap bitmapGuard(CreateCompatibleBitmap(screen.get(), 4, 4));
        UniqueGdiObject brushGuard(CreateSolidBrush(RGB(1, 2, 3)));
        LOGPALETTE log{0x300, 1, {{1, 2, 3, 0}}};
        UniquePalette paletteGuard(CreatePalette(&log));
        dc = dcGuard.get();
        bitmap = bitmapGuard.get();
        brush = brushGuard.get();
        palette = paletteGuard.get();
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
    }
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(palette), 0u);
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
    // Deselected, the bitmap can be deleted at once.
    EXPECT_TRUE(DeleteObject(bitmap.release()));

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
    // A released window DC belongs to no window any more.
    EXPECT_NE(WindowFromDC(dc), window.Handle());
}

TEST(Handles, UniqueRegKeyClosesTheKey) {
    HKEY key = nullptr;
    {
        HKEY opened = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &opened), ERROR_SUCCESS);
        UniqueRegKey guard(opened);
        key = guard.get();
        EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_INVALID_HANDLE);
}

TEST(Handles, UniqueKernelHandleAndUniqueFileClose) {
    HANDLE event;
    {
        UniqueKernelHandle guard(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        event = guard.get();
        DWORD flags;
        EXPECT_TRUE(GetHandleInformation(event, &flags));
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(event, &flags));

    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "Pct", 0, path);
    {
        UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        ASSERT_TRUE(file);
        EXPECT_NE(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);  // closed, so deleted
    UniqueFile failed(CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed);  // INVALID_HANDLE_VALUE is no handle
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

TEST(Handles, AFailedSnapshotIsNoHandle) {
    UniqueKernelHandle none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
    UniqueKernelHandle null(nullptr);
    EXPECT_FALSE(null);
}
