#pragma once
// The real clipboard with two hidden windows: one plays "another program"
// that copies things, the other is the program's own ClipboardOwnerWindow.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "clips/Clip_win.h"
#include "toolkit/Handles_win.h"

// A movable block of `allocated` bytes (default: `size`) that begins with `bytes`;
// the rest is filled with 0xEE so nobody can count on zeros.
inline HGLOBAL Block(const void* bytes, size_t size, size_t allocated = 0) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, allocated ? allocated : size);
    toolkit::GlobalLockGuard lock(block);
    std::memset(lock.data(), 0xEE, lock.size());
    std::memcpy(lock.data(), bytes, size);
    return block;
}
inline HGLOBAL Text(const std::string& text) { return Block(text.c_str(), text.size() + 1); }

class ClipboardFixture : public testing::Test {
protected:
    void SetUp() override {
        other_.reset(CreateWindowExA(0, "STATIC", "another program", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        owner_.reset(CreateWindowExA(0, "STATIC", "Pellacor", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(other_ && owner_);
        savedOwner_ = clips::ClipboardOwnerWindow;
        clips::ClipboardOwnerWindow = owner_.get();
        Copy({});  // start from an empty clipboard owned by the other program
    }
    void TearDown() override {
        EXPECT_TRUE(ClipboardIsFree()) << "the clipboard was left open";
        Copy({});
        clips::ClipboardOwnerWindow = savedOwner_;
    }

    HWND Other() const { return other_.get(); }
    HWND Owner() const { return owner_.get(); }

    struct Format {
        UINT id;
        HANDLE data;  // handed to the clipboard
    };
    // "Another program" copies: empties the clipboard and sets the formats.
    void Copy(std::vector<Format> formats) {
        toolkit::ClipboardSession clipboard(Other());
        ASSERT_TRUE(clipboard);
        EmptyClipboard();
        for (const Format& f : formats) ASSERT_TRUE(SetClipboardData(f.id, f.data));
    }

    // The bytes of a format as another program would read them.
    std::vector<uint8_t> Read(UINT format) {
        toolkit::ClipboardSession clipboard(Other());
        toolkit::GlobalLockGuard lock(GetClipboardData(format));
        if (!lock) return {};
        auto* bytes = static_cast<const uint8_t*>(lock.data());
        return {bytes, bytes + lock.size()};
    }

    // Another thread can open the clipboard: nobody holds it.
    static bool ClipboardIsFree() {
        bool free = false;
        std::thread([&] {
            if (OpenClipboard(nullptr)) {
                free = true;
                CloseClipboard();
            }
        }).join();
        return free;
    }

private:
    toolkit::UniqueWindow other_, owner_;
    HWND savedOwner_ = nullptr;
};
