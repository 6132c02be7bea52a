#pragma once
// The displayable part of "HTML Format" clipboard data, for the preview.
#include <string>
#include <string_view>

namespace clips {

// `html` is the clipboard data (UTF-8: a header of "Key:value" lines, then the
// page). The result, in UTF-8 too, is the fragment between
// "<!--StartFragment-->" and "<!--EndFragment-->". Data lacking a marker gives
// the best displayable part there is, never bytes of the header:
//  1. the header's StartFragment..EndFragment range, when it is sound;
//  2. otherwise from the start marker (else the page start) to the end marker
//     (else the page end).
std::string LiteHtmlFragment(std::string_view html);

}  // namespace clips
