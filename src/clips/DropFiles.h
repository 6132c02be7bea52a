#pragma once
// The CF_HDROP block (a DROPFILES header and the names) as plain bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace clips {

inline constexpr size_t kDropFilesHeaderSize = 20;

// The names of a file list, one "path\r\n" per file, in order. Empty names
// are skipped; a last name without its line break still counts.
std::vector<std::string_view> SplitFileList(std::string_view fileList);

// The block for CF_HDROP: the 20-byte header (list offset 20, drop point 0,0,
// not in the non-client area, wide names), each UTF-16 name ended by a 0
// character, and a final 0 character.
std::vector<uint8_t> BuildDropFiles(std::string_view fileList);

// The number of names in a CF_HDROP block, ANSI or wide; nothing when the
// header's list offset lies outside the block or the list does not end (an
// empty name) before the block does, since reading the names would run past it.
std::optional<size_t> CountDropFiles(std::span<const uint8_t> block);

}  // namespace clips
