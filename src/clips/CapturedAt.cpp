#include "clips/CapturedAt.h"

#include "common/Text.h"

namespace clips {

std::string ComposeCapturedAt(std::string_view weekday, int day, std::string_view month, int year, int hour,
                              int minute, int second) {
    std::string text = common::Format("%.*s %02d %.*s %04d, %02d:%02d:%02d", static_cast<int>(weekday.size()),
                                      weekday.data(), day, static_cast<int>(month.size()), month.data(), year,
                                      hour, minute, second);
    if (!text.empty()) text[0] = common::AsciiUpper(text[0]);
    return text;
}

}  // namespace clips
