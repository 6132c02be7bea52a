#pragma once
// The section headers of the history menu, owner-drawn separators: the
// section's name centred on an engraved rule.
#include <windows.h>

#include <string_view>

#include "toolkit/Palette.h"

namespace history {

void MeasureSectionHeader(std::string_view label, HDC dc, UINT& width, UINT& height);
// In the colours of the menus now (dark where the system draws its menus dark).
void DrawSectionHeader(std::string_view label, const DRAWITEMSTRUCT& draw);
void DrawSectionHeader(std::string_view label, const DRAWITEMSTRUCT& draw, const toolkit::Palette& colours);

}  // namespace history
