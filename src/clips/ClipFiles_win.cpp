#include "clips/ClipFiles_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "clipboard/ClipboardWrite_win.h"
#include "clipboard/PrivateContent_win.h"
#include "clips/Caption.h"
#include "clips/ClipPreview_win.h"
#include "clips/DropFiles.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "personal/PersonalRecord.h"
#include "toolkit/Handles_win.h"

namespace clips {
namespace {
constexpr UINT kFileCountQuery = 0xFFFFFFFF;
}  // namespace

bool TClipFiles::Offered(const clipboard::ClipboardFormats& offered) { return offered.Has(CF_HDROP); }

bool TClipFiles::CaptureFromClipboard() {
    HANDLE drop = GetClipboardData(CF_HDROP);
    if (!drop) return false;
    std::optional<size_t> names;
    {
        // DragQueryFileW trusts the block (and may count an empty list as one
        // name); we count first, within GlobalSize.
        toolkit::GlobalLockGuard lock(drop);
        if (lock) names = CountDropFiles({static_cast<const uint8_t*>(lock.data()), lock.size()});
    }
    if (!names || *names == 0) return false;
    auto files = static_cast<HDROP>(drop);
    UINT count = std::min<UINT>(DragQueryFileW(files, kFileCountQuery, nullptr, 0), static_cast<UINT>(*names));
    std::string list;
    for (UINT i = 0; i < count; ++i) {
        // The length first: a long path (\\?\ ...) is longer than MAX_PATH.
        std::wstring name(static_cast<size_t>(DragQueryFileW(files, i, nullptr, 0)) + 1, L'\0');
        name.resize(DragQueryFileW(files, i, name.data(), static_cast<UINT>(name.size())));
        list += common::Utf8(name);
        list += "\r\n";
    }
    FileList = std::move(list);
    return count > 0;
}

void TClipFiles::NameForHistory(int captionLength) {
    SetCaption(MakeCaption(FileList, captionLength));
    SetKind(kFileList);
}

void TClipFiles::RestoreToClipboard() const {
    std::vector<uint8_t> block = BuildDropFiles(FileList);
    toolkit::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size()));
    if (!memory) common::ThrowLastError();
    {
        toolkit::GlobalLockGuard lock(memory.get());
        if (!lock) common::ThrowLastError();
        std::memcpy(lock.data(), block.data(), block.size());
    }
    clipboard::ClipboardWrite write;
    write.Add(CF_HDROP, std::move(memory));
    write.Commit();
}

void TClipFiles::ShowPreview(ClipPreview& preview) const {
    std::vector<std::string_view> paths = SplitFileList(FileList);
    preview.ShowFiles(*this, paths);
}

void TClipFiles::WriteRecord(personal::ClipRecord& record) const {
    TClip::WriteRecord(record);
    record.FileList = FileList;
}

void TClipFiles::ReadRecord(personal::ClipRecord& record) {
    TClip::ReadRecord(record);
    FileList = std::move(record.FileList);
}

}  // namespace clips
