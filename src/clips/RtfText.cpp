#include "clips/RtfText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "common/CodePage.h"

namespace clips {
namespace {

// Groups whose text the document does not show.
bool HiddenDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 22> kHidden = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "footer",
        "headerl", "headerr", "footerl", "footerr", "listtable", "listoverridetable", "rsidtbl",
        "generator", "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore", "fldinst"};
    for (std::string_view hidden : kHidden)
        if (word == hidden) return true;
    return false;
}

struct Group {
    bool hidden = false;
    int skipAfterUnicode = 1;  // \ucN: the fallback characters after each \uN
};

class Reader {
public:
    explicit Reader(std::string_view rtf) : rtf_(rtf) {}

    std::string Text() {
        std::vector<Group> groups{Group{}};
        while (at_ < rtf_.size()) {
            char c = rtf_[at_++];
            if (c == '{') {
                groups.push_back(groups.back());
                groupStart_ = true;
            } else if (c == '}') {
                if (groups.size() > 1) groups.pop_back();
                groupStart_ = false;
            } else if (c == '\\') {
                ControlWord(groups.back());
            } else if (c != '\r' && c != '\n') {
                if (skip_ > 0) --skip_;
                else if (!groups.back().hidden) Append(c);
                groupStart_ = false;
            }
        }
        Flush();
        return text_;
    }

private:
    void ControlWord(Group& group) {
        if (at_ >= rtf_.size()) return;
        char c = rtf_[at_];
        bool first = std::exchange(groupStart_, false);
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++at_;
            if (c == '*' && first) group.hidden = true;  // an optional destination we do not know
            else if (c == '\'') Byte(group);
            else if (c == '~') Emit(group, " ");
            else if (c == '_') Emit(group, "-");
            else if (c == '\\' || c == '{' || c == '}') Literal(group, c);
            return;
        }
        size_t start = at_;
        while (at_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[at_]))) ++at_;
        std::string_view word = rtf_.substr(start, at_ - start);
        bool negative = at_ < rtf_.size() && rtf_[at_] == '-';
        if (negative) ++at_;
        long value = 0;
        bool hasValue = false;
        while (at_ < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[at_]))) {
            value = std::min(value * 10 + (rtf_[at_++] - '0'), 1000000L);  // bounded, whatever the digits
            hasValue = true;
        }
        if (negative) value = -value;
        if (at_ < rtf_.size() && rtf_[at_] == ' ') ++at_;  // the delimiter belongs to the word

        if (first && HiddenDestination(word)) group.hidden = true;
        else if (word == "par" || word == "line") Emit(group, "\r\n");
        else if (word == "tab") Emit(group, "\t");
        else if (word == "ansicpg" && hasValue && value > 0) codePage_ = static_cast<unsigned>(value);
        else if (word == "uc" && hasValue) group.skipAfterUnicode = static_cast<int>(value);
        else if (word == "u" && hasValue) Unicode(group, value);
    }

    void Byte(Group& group) {
        int value = 0;
        for (int i = 0; i < 2 && at_ < rtf_.size() && std::isxdigit(static_cast<unsigned char>(rtf_[at_])); ++i) {
            char h = rtf_[at_++];
            value = value * 16 + (std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (h | 0x20) - 'a' + 10);
        }
        if (skip_ > 0) --skip_;
        else if (!group.hidden) Append(static_cast<char>(value));
    }

    void Unicode(Group& group, long value) {
        value &= 0xFFFF;  // written as a signed 16-bit number
        if (!group.hidden) {
            FlushBytes();
            unit_.push_back(static_cast<char16_t>(value));
            if (value < 0xD800 || value > 0xDBFF) FlushUnits();  // a high surrogate waits for its pair
        }
        skip_ = group.skipAfterUnicode;
    }

    void Literal(Group& group, char c) {
        if (skip_ > 0) --skip_;
        else if (!group.hidden) Append(c);
    }
    void Append(char c) {
        FlushUnits();
        bytes_ += c;
    }

    void Emit(Group& group, std::string_view utf8) {
        if (group.hidden) return;
        Flush();
        text_ += utf8;
    }

    void Flush() {
        FlushUnits();
        FlushBytes();
    }
    void FlushBytes() {
        if (bytes_.empty()) return;
        text_ += common::CodePageToUtf8(bytes_, codePage_);
        bytes_.clear();
    }
    void FlushUnits() {
        if (unit_.empty()) return;
        text_ += common::Utf16ToUtf8(unit_);
        unit_.clear();
    }

    std::string_view rtf_;
    size_t at_ = 0;
    bool groupStart_ = false;
    int skip_ = 0;
    unsigned codePage_ = 1252;
    std::string bytes_;      // in the document's code page, not yet converted
    std::u16string unit_;    // \uN characters not yet converted
    std::string text_;
};

}  // namespace

std::string RtfPlainText(std::string_view rtf) { return Reader(rtf).Text(); }

}  // namespace clips
