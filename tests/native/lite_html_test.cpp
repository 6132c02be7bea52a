// The displayable part of "HTML Format" data.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "clips/LiteHtml.h"

using clips::LiteHtmlFragment;

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

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

TEST(LiteHtml, TextBetweenTheMarkersInTheAnsiCodePage) {
    std::string page = Utf8(u8"<html><body><!--StartFragment--><b>粗体</b><!--EndFragment--></body></html>");
    EXPECT_EQ(LiteHtmlFragment(WithHeader(page)), "<b>粗体</b>");
    EXPECT_EQ(LiteHtmlFragment(WithHeader("<!--StartFragment--><!--EndFragment-->")), "");
}

TEST(LiteHtml, WithoutMarkersTheHeaderOffsetsGiveTheFragment) {
    std::string page = "<html><body><i>x</i></body></html>";
    EXPECT_EQ(LiteHtmlFragment(WithHeader(page, 12, 20)), "<i>x</i>");
}

TEST(LiteHtml, WithoutMarkersOrFragmentOffsetsThePageIsShown) {
    std::string page = "<html><body>plain</body></html>";
    EXPECT_EQ(LiteHtmlFragment(WithHeader(page)), page);
    // No header offsets at all: everything after the header lines.
    EXPECT_EQ(LiteHtmlFragment("Version:0.9\r\nSourceURL:http://a.b/\r\n" + page), page);
    // No header either.
    EXPECT_EQ(LiteHtmlFragment(page), page);
}

TEST(LiteHtml, OneMarkerBoundsItsSide) {
    EXPECT_EQ(LiteHtmlFragment(WithHeader("<body><!--StartFragment-->tail</body>")), "tail</body>");
    EXPECT_EQ(LiteHtmlFragment(WithHeader("<body>head<!--EndFragment--></body>")), "<body>head");
    // Markers in the wrong order: from the start marker to the page end.
    EXPECT_EQ(LiteHtmlFragment(WithHeader("<!--EndFragment-->a<!--StartFragment-->b")), "b");
}

TEST(LiteHtml, NeverShowsHeaderBytes) {
    // Offsets that point into the header or past the data are ignored.
    std::string page = "<p>body</p>";
    std::string data = "Version:0.9\r\nStartHTML:0000000002\r\nEndHTML:0000000003\r\nStartFragment:0000000001\r\n"
                       "EndFragment:9999999999\r\n" + page;
    EXPECT_EQ(LiteHtmlFragment(data), page);
    // Header lines alone.
    EXPECT_EQ(LiteHtmlFragment("Version:0.9\r\nStartHTML:-1\r\n"), "");
    EXPECT_EQ(LiteHtmlFragment(""), "");
    // An end marker inside the header is not taken for one.
    EXPECT_EQ(LiteHtmlFragment("Version:0.9\r\nSourceURL:x<!--EndFragment-->\r\n<p>b</p>"), "<p>b</p>");
}

TEST(LiteHtml, LinesAfterTheHeaderThatLookLikeKeysArePage) {
    EXPECT_EQ(LiteHtmlFragment("Version:0.9\nNote: kept\n"), "Note: kept\n");
}
