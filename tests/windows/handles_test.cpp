// Every guard of Handles_win.h releases what it holds, checked with the platform.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "TestSupport_win.h"
#include "toolkit/Handles_win.h"

using namespace toolkit;
using testing_support::HiddenWindow;

namespace {

// `alive` asks the platform whether the object still exists.
template <typename Guard, typename Handle, typename Alive>
void ExpectReleased(Handle handle, Alive alive) {
    ASSERT_TRUE(alive(handle));
    {
        Guard guard(handle);
        EXPECT_TRUE(guard);
    }
    EXPECT_FALSE(alive(handle));
}

bool GdiAlive(HGDIOBJ object) { return GetObjectType(object) != 0; }
bool Freed(HGLOBAL block) { return GlobalFlags(block) == static_cast<UINT>(GMEM_INVALID_HANDLE); }

}  // namespace

TEST(Handles, UniqueMenu) { ExpectReleased<UniqueMenu>(CreatePopupMenu(), [](HMENU m) { return IsMenu(m) != 0; }); }

TEST(Handles, UniqueWindow) {
    ExpectReleased<UniqueWindow>(
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        [](HWND w) { return IsWindow(w) != 0; });
}

TEST(Handles, UniqueIcon) {
    BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
    ExpectReleased<UniqueIcon>(CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask), [](HICON icon) {
        ICONINFO info{};
        if (!GetIconInfo(icon, &info)) return false;
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        return true;
    });
}

TEST(Handles, UniqueDC) { ExpectReleased<UniqueDC>(CreateCompatibleDC(nullptr), GdiAlive); }

TEST(Handles, UniqueBitmap) { ExpectReleased<UniqueBitmap>(CreateBitmap(4, 4, 1, 32, nullptr), GdiAlive); }

TEST(Handles, UniquePalette) {
    LOGPALETTE log{0x300, 1, {{1, 2, 3, 0}}};
    ExpectReleased<UniquePalette>(CreatePalette(&log), GdiAlive);
}

TEST(Handles, UniqueGdiObject) {
    ExpectReleased<UniqueGdiObject>(static_cast<HGDIOBJ>(CreateSolidBrush(RGB(1, 2, 3))), GdiAlive);
}

TEST(Handles, UniqueRegKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    ExpectReleased<UniqueRegKey>(key, [](HKEY k) {
        return RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr) == ERROR_SUCCESS;
    });
}

TEST(Handles, UniqueKernelHandleAndUniqueFile) {
    ExpectReleased<UniqueKernelHandle>(CreateEventA(nullptr, TRUE, FALSE, nullptr), [](HANDLE h) {
        DWORD flags;
        return GetHandleInformation(h, &flags) != 0;
    });
    testing_support::TempFolder folder;
    const std::string path = folder.File("closed");  // deleted when closed
    ExpectReleased<UniqueFile>(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr),
        [&](HANDLE) { return testing_support::FileExists(path); });
    // INVALID_HANDLE_VALUE (a failed open or snapshot) and null are no handles.
    EXPECT_FALSE(UniqueFile(CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    EXPECT_FALSE(UniqueKernelHandle(nullptr));
}

TEST(Handles, UniqueView) {
    testing_support::TempFolder folder;
    testing_support::WriteWholeFile(folder.File("mapped"), "mapped bytes");
    UniqueFile file(CreateFileA(folder.File("mapped").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    UniqueKernelHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    ExpectReleased<UniqueView>(view, [](const void* v) {
        MEMORY_BASIC_INFORMATION info{};
        return VirtualQuery(v, &info, sizeof(info)) == sizeof(info) && info.State == MEM_COMMIT &&
               info.Type == MEM_MAPPED;
    });
}

TEST(Handles, UniqueAtom) {
    ExpectReleased<UniqueAtom>(GlobalAddAtomA("PellacorTestAtom"),
                               [](ATOM atom) { return GlobalFindAtomA("PellacorTestAtom") == atom; });
}

TEST(Handles, UniqueGlobalFreesUnlessReleasedAndMovesOwnership) {
    ExpectReleased<UniqueGlobal>(GlobalAlloc(GMEM_MOVEABLE, 8), [](HGLOBAL h) { return !Freed(h); });
    UniqueGlobal b(GlobalAlloc(GMEM_MOVEABLE, 8)), c(GlobalAlloc(GMEM_MOVEABLE, 8));
    HGLOBAL kept = b.get(), replaced = c.get();
    c = std::move(b);  // frees what c held
    EXPECT_FALSE(b);
    EXPECT_TRUE(Freed(replaced));
    c.reset(kept);  // resetting to the handle held keeps it
    EXPECT_EQ(c.release(), kept);
    EXPECT_EQ(GlobalFree(kept), nullptr);  // released, so still there and ours to free
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
    EXPECT_FALSE(GlobalLockGuard(nullptr));
}

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

TEST(Handles, ClipboardSessionWaitsAMomentForAnotherProgram) {
    HiddenWindow ours;
    for (DWORD holdMs : {30u, 1000u}) {
        SCOPED_TRACE(holdMs);
        UniqueKernelHandle held(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        UniqueKernelHandle tried(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        std::thread other([&] {
            OpenClipboard(nullptr);
            SetEvent(held.get());
            WaitForSingleObject(tried.get(), holdMs);  // the long hold lasts until we gave up
            CloseClipboard();
        });
        WaitForSingleObject(held.get(), 5000);
        {
            ClipboardSession session(ours.Handle(), 300);
            EXPECT_EQ(session.IsOpen(), holdMs < 300);  // long enough for the short hold only
        }
        SetEvent(tried.get());
        other.join();
    }
}

TEST(Handles, WindowDCIsReleased) {
    HiddenWindow window;
    for (bool extended : {false, true}) {
        HDC windowDC;
        {
            WindowDC guard = extended ? WindowDC(window.Handle(), DCX_WINDOW | DCX_CACHE) : WindowDC(window.Handle());
            windowDC = guard.get();
            EXPECT_EQ(WindowFromDC(windowDC), window.Handle());
        }
        EXPECT_NE(WindowFromDC(windowDC), window.Handle());  // a released DC belongs to no window any more
    }
}

TEST(Handles, SelectedObjectPutsThePreviousOneBack) {
    UniqueDC dc(CreateCompatibleDC(nullptr));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    UniqueBitmap bitmap(CreateBitmap(4, 4, 1, 1, nullptr));  // monochrome, as the memory DC
    {
        SelectedObject selected(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    EXPECT_TRUE(DeleteObject(bitmap.release()));  // deselected, it can be deleted at once
}

TEST(Handles, WindowUpdateLockIsGivenBackAndRefusesASecondHolder) {
    {
        WindowUpdateLock first(GetDesktopWindow());
        EXPECT_TRUE(first);
        WindowUpdateLock second(GetDesktopWindow());
        EXPECT_FALSE(second);
    }
    WindowUpdateLock again(GetDesktopWindow());
    EXPECT_TRUE(again);
}

TEST(Handles, UniqueCoTaskMemory) {
    IMalloc* malloc = nullptr;
    ASSERT_EQ(CoGetMalloc(1, &malloc), S_OK);
    ExpectReleased<UniqueCoTaskMemory<char>>(static_cast<char*>(CoTaskMemAlloc(64)),
                                             [&](char* p) { return malloc->DidAlloc(p) == 1; });
    malloc->Release();
}

TEST(Handles, ComApartment) {
    // On a thread of its own, so nothing else has started COM there.
    std::thread([] {
        {
            ComApartment com;
            HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            EXPECT_EQ(again, S_FALSE);  // already started by the guard
            CoUninitialize();
        }
        HRESULT fresh = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        EXPECT_EQ(fresh, S_OK);  // the guard ended it
        CoUninitialize();
    }).join();
}

TEST(Window, ForgetsItsHandleWhenTheSystemDestroysIt) {
    HiddenWindow owner("Owner");
    HiddenWindow owned("Owned", owner.Handle());
    HWND ownedHandle = owned.Handle();
    DestroyWindow(owner.Handle());  // takes the windows it owns along
    EXPECT_FALSE(IsWindow(ownedHandle));
    EXPECT_EQ(owned.Handle(), nullptr);  // never destroyed again, whatever the handle names by then
    EXPECT_EQ(owner.Handle(), nullptr);
}
