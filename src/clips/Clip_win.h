#pragma once
// The clip base and what of it needs the platform: the capture time in the
// locale's words.
#include <windows.h>

#include <string>

#include "clips/Clip.h"

namespace clips {

// The local time as "dddd dd mmmm yyyy, hh:nn:ss" with the locale's names.
std::string FormatCapturedAt(const SYSTEMTIME& time);

}  // namespace clips
