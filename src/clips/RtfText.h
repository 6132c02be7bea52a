#pragma once
// The plain text of "Rich Text Format" data, for a rich-text clip that came
// with no plain text beside it.
#include <string>
#include <string_view>

namespace clips {

// The text the document shows, in UTF-8: paragraphs and line breaks as CR LF,
// tabs kept, \'hh bytes in the document's code page (\ansicpg, else 1252),
// \uN characters with their fallback skipped; font, colour and style tables,
// pictures, objects and other destinations left out. Broken data gives what
// could be read up to there, never more than the data holds.
std::string RtfPlainText(std::string_view rtf);

}  // namespace clips
