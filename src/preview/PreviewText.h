#pragma once
// The texts of the hover preview: the content block of a text preview and
// the info block (format, source, size, clipboard status, capture time).
#include <cstddef>
#include <string>
#include <string_view>

namespace preview {

// The content shown for a sound.
inline constexpr const char* kSoundPlaying = "声音正在播放...";

// At most this many bytes of content are shown whole; longer content is cut.
inline constexpr size_t kContentLimit = 400;
inline constexpr size_t kContentCut = 394;

// The content as a text preview shows it: trimmed; beyond 400 bytes cut to
// its first 394 (393 when the 394th byte starts a double-byte character),
// trimmed again and followed by a blank line and "..."; all of it after three
// line breaks, which put two blank lines between the info block and the content.
std::string ContentBlock(std::string_view content);

// The head of the info block: of a text in the format `label` names, a picture, a file list, a sound.
std::string TextHead(std::string_view label, std::string_view source, size_t length);
std::string ImageHead(std::string_view source, unsigned width, unsigned height);
std::string FilesHead(std::string_view source, size_t count);
std::string WaveHead(std::string_view source);

// The whole info block: the head, a blank line, the clipboard status and the
// capture time. Pictures and sounds write their "on the
// clipboard" status without a blank after the colon, as they always have.
std::string InfoText(std::string_view head, int kind, bool onClipboard, std::string_view capturedAt);

}  // namespace preview
