#pragma once
// What the commands of the clip pop-up may do with a clip, as its kind answers.
#include <string_view>

namespace clips {

struct ClipCommands {
    bool keptInPersonalHistory = true;  // false for a sound, which lives in a temporary file
    bool sendsAsMail = false;           // the text kinds
    bool transforms = false;            // plain text (not a link)
    bool opens = false;                 // a link
    std::string_view text;              // the plain text of a text clip, else empty
    bool copiesAsPlainText = false;     // rich text and HTML: their plain text alone
};

}  // namespace clips
