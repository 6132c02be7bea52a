// The displayable part of "HTML Format" data.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "clips/LiteHtml.h"

using clips::LiteHtmlFragment;

namespace {

// CF_HTML data with a correct header around `page`; `fragmentAt`/`fragmentEnd`
// are offsets within the page (-1: no such header lines).
std::string WithHeader(const std::string& page, long fragmentAt = -1, long fragmentEnd = -1) {
    auto header = [&](long base) {
        char text[256];
        std::snprintf(text, sizeof(text), "Version:0.9\r\nStartHTML:%010ld\r\nEndHTML:%010ld\r\n", base,
                      base + static_cast<long>(page.size()));
        std::string h = text;
        if (fragmentAt >= 0) {
            std::snprintf(text, sizeof(text), "StartFragment:%010ld\r\nEndFragment:%010ld\r\n", base + fragmentAt,
                          base + fragmentEnd);
            h += text;
        }
        return h;
    };
    long base = static_cast<long>(header(0).size());
    return header(base) + page;
}

}  // namespace

TEST(LiteHtml, TheFragmentBetweenMarkersElseByOffsetsElseThePage) {
    const std::string page = "<html><body>plain</body></html>";
    const std::pair<std::string, std::string> cases[] = {
        // Between the markers, in the ANSI code page.
        {WithHeader(reinterpret_cast<const char*>(
             u8"<html><body><!--StartFragment--><b>粗体</b><!--EndFragment--></body></html>")),
         "<b>粗体</b>"},
        // Without markers: the header's fragment offsets, else the page.
        {WithHeader("<html><body><i>x</i></body></html>", 12, 20), "<i>x</i>"},
        {WithHeader(page), page},
        {"Version:0.9\r\nSourceURL:http://a.b/\r\n" + page, page},
        {page, page},
        // One marker bounds its side; in the wrong order, from the start marker on.
        {WithHeader("<body><!--StartFragment-->tail</body>"), "tail</body>"},
        {WithHeader("<body>head<!--EndFragment--></body>"), "<body>head"},
        {WithHeader("<!--EndFragment-->a<!--StartFragment-->b"), "b"},
        // Header bytes are never shown: offsets into the header or past the data
        // are ignored, and a marker inside the header is none.
        {"Version:0.9\r\nStartHTML:0000000002\r\nEndHTML:0000000003\r\nStartFragment:0000000001\r\n"
         "EndFragment:9999999999\r\n<p>body</p>",
         "<p>body</p>"},
        {"", ""},
        {"Version:0.9\r\nSourceURL:x<!--EndFragment-->\r\n<p>b</p>", "<p>b</p>"},
        {"Version:0.9\nNote: kept\n", "Note: kept\n"},  // lines after the header that look like keys
    };
    for (const auto& [data, fragment] : cases) EXPECT_EQ(LiteHtmlFragment(data), fragment) << data;
}
