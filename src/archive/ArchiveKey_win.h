#pragma once
// The archive's key: 256 random bits made at first use, kept in History.key
// protected by Windows for the current user (DPAPI, no UI), so only this user
// on this computer can open the archive.
#include <cstdint>
#include <string>
#include <vector>

namespace archive {

// The raw key kept in `keyFile`, made and written (through a .tmp file
// replaced in one step) when there is none. Throws ArchiveError (WrongKey)
// when the file is not this user's key, common::Win32Error when it cannot be
// read or written.
std::vector<uint8_t> LoadOrCreateArchiveKey(const std::wstring& keyFile);

inline constexpr size_t kArchiveKeyBytes = 32;

}  // namespace archive
