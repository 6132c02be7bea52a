#pragma once
// The section headers of the history menu, owner-drawn separators: the
// section's name centred on an engraved rule.
#include <windows.h>

#include <string_view>

namespace history {

void MeasureSectionHeader(std::string_view label, HDC dc, UINT& width, UINT& height);
void DrawSectionHeader(std::string_view label, const DRAWITEMSTRUCT& draw);

}  // namespace history
