#include "clips/LiteHtml.h"

#include <array>
#include <charconv>
#include <optional>

#include "common/Text.h"

namespace clips {
namespace {

constexpr std::string_view kStartMarker = "<!--StartFragment-->";
constexpr std::string_view kEndMarker = "<!--EndFragment-->";

// The keys a CF_HTML header may carry; any other line ends the header.
constexpr std::array<std::string_view, 8> kHeaderKeys = {"Version",        "StartHTML",    "EndHTML",
                                                         "StartFragment",  "EndFragment",  "StartSelection",
                                                         "EndSelection",   "SourceURL"};

struct Header {
    size_t end = 0;  // first byte after the header lines
    std::optional<size_t> startHtml, endHtml, startFragment, endFragment;
};

std::optional<size_t> Offset(std::string_view value) {
    size_t number = 0;
    auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || rest == value.data()) return std::nullopt;
    return number;
}

Header ReadHeader(std::string_view html) {
    Header header;
    size_t pos = 0;
    while (pos < html.size()) {
        size_t lineEnd = html.find_first_of("\r\n", pos);
        if (lineEnd == std::string_view::npos) lineEnd = html.size();
        std::string_view line = html.substr(pos, lineEnd - pos);
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) break;
        std::string_view key = line.substr(0, colon), value = line.substr(colon + 1);
        auto known = [&](std::string_view k) { return common::EqualIgnoringAsciiCase(key, k); };
        bool isHeaderKey = false;
        for (std::string_view k : kHeaderKeys) isHeaderKey = isHeaderKey || known(k);
        if (!isHeaderKey) break;
        if (known("StartHTML")) header.startHtml = Offset(value);
        if (known("EndHTML")) header.endHtml = Offset(value);
        if (known("StartFragment")) header.startFragment = Offset(value);
        if (known("EndFragment")) header.endFragment = Offset(value);
        pos = lineEnd;
        if (pos < html.size() && html[pos] == '\r') ++pos;
        if (pos < html.size() && html[pos] == '\n') ++pos;
        header.end = pos;
    }
    return header;
}

// An offset of the header that points into the page, not into the header.
std::optional<size_t> PageOffset(std::optional<size_t> offset, const Header& header, size_t size) {
    if (offset && *offset >= header.end && *offset <= size) return offset;
    return std::nullopt;
}

std::string Slice(std::string_view html, size_t begin, size_t end) {
    return std::string(html.substr(begin, end - begin));
}

}  // namespace

std::string LiteHtmlFragment(std::string_view html) {
    Header header = ReadHeader(html);
    // The markers are ASCII and never part of a UTF-8 sequence. They are
    // looked for after the header only.
    size_t start = html.find(kStartMarker, header.end);
    size_t end = html.find(kEndMarker, header.end);
    if (start != std::string_view::npos && end != std::string_view::npos && end >= start + kStartMarker.size())
        return Slice(html, start + kStartMarker.size(), end);

    auto fragmentStart = PageOffset(header.startFragment, header, html.size());
    auto fragmentEnd = PageOffset(header.endFragment, header, html.size());
    if (fragmentStart && fragmentEnd && *fragmentStart <= *fragmentEnd)
        return Slice(html, *fragmentStart, *fragmentEnd);

    size_t begin = start != std::string_view::npos ? start + kStartMarker.size()
                                                   : PageOffset(header.startHtml, header, html.size()).value_or(header.end);
    size_t finish = html.size();
    if (auto endHtml = PageOffset(header.endHtml, header, html.size()); endHtml && *endHtml >= begin) finish = *endHtml;
    if (end != std::string_view::npos && end >= begin) finish = end;
    return Slice(html, begin, finish);
}

}  // namespace clips
