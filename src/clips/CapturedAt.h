#pragma once
// The capture-time text "dddd dd mmmm yyyy, hh:nn:ss".
#include <string>
#include <string_view>

namespace clips {

// Joins the locale's weekday and month names with the numbers; a first byte
// a to z is upper-cased, so the text never starts with a lower-case ASCII letter.
std::string ComposeCapturedAt(std::string_view weekday, int day, std::string_view month, int year, int hour,
                              int minute, int second);

}  // namespace clips
