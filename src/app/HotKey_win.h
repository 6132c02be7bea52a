#pragma once
// The global hot key, registered under the global atom "pellacor".
#include <windows.h>

#include <cstdint>

namespace app {

class HotKey {
public:
    explicit HotKey(HWND window) : window_(window) {}
    ~HotKey() { Apply(false, 0); }
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    // on: registers `shortcutCode` (an earlier registration is given back
    // first, so a changed combination never leaves the old one active);
    // off: unregisters and deletes the atom.
    void Apply(bool on, int32_t shortcutCode);
    ATOM Id() const noexcept { return id_; }
    bool Registered() const noexcept { return registered_; }

private:
    HWND window_;
    ATOM id_ = 0;  // HotKeyId
    bool registered_ = false;
};

}  // namespace app
