#pragma once
// Another program's thread that holds the clipboard open for a while.
#include <windows.h>

#include <string>
#include <thread>

#include "TestSupport_win.h"
#include "toolkit/Handles_win.h"

namespace testing_support {

// Another program's thread that opens the clipboard, starts a copy and keeps
// the clipboard open for `holdMs` (or until the copy's end) before it finishes.
class SlowCopy {
public:
    SlowCopy(std::string text, DWORD holdMs, bool markPrivate = false)
        : thread_([=, this] {
              testing_support::HiddenWindow writer("SlowWriter");
              {
                  toolkit::ClipboardSession session(writer.Handle());
                  EmptyClipboard();
                  SetClipboardData(CF_TEXT, testing_support::Text(CF_TEXT, text).data);
                  SetEvent(opened_.get());
                  WaitForSingleObject(done_.get(), holdMs);
                  if (markPrivate)
                      SetClipboardData(RegisterClipboardFormatA("Clipboard Viewer Ignore"), testing_support::Block("", 0));
              }
              WaitForSingleObject(done_.get(), 10000);  // the window lives on as the clipboard's owner
          }) {
        // Its EmptyClipboard tells the clipboard's owner, a window of this
        // thread, and waits for the answer: messages are dispatched meanwhile.
        testing_support::PumpUntil([this] { return WaitForSingleObject(opened_.get(), 0) == WAIT_OBJECT_0; }, 10000);
    }
    ~SlowCopy() {
        SetEvent(done_.get());
        thread_.join();
    }

private:
    toolkit::UniqueKernelHandle opened_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    toolkit::UniqueKernelHandle done_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
};
}  // namespace testing_support
