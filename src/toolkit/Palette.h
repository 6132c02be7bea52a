#pragma once
// The colours our own windows draw with, and the arithmetic of readable text.
// Colours are 0x00BBGGRR, the layout of a COLORREF, so that they pass to GDI
// as they are. Portable: the platform's colours are read elsewhere.
#include <cstdint>

namespace toolkit {

using Colour = uint32_t;

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) noexcept { return r | g << 8 | b << 16; }

// Text and background should differ by at least this ratio to be read with ease.
inline constexpr double kReadableContrast = 4.5;

// The relative luminance of a colour, 0 (black) to 1 (white), as screens show it.
double Luminance(Colour colour) noexcept;
// Between 1 (the same) and 21 (black on white), whichever is the lighter.
double ContrastRatio(Colour a, Colour b) noexcept;
// `preferred` when it reads well on `background`, else `preferred` moved
// toward `fallback` just far enough to read well (`fallback` itself at the worst).
Colour Readable(Colour preferred, Colour fallback, Colour background) noexcept;

struct Palette {
    bool dark = false;                // our own dark colours
    bool highContrast = false;        // the system's colours, and nothing else
    Colour face = 0, faceText = 0;    // the body of a window or dialog, and its labels
    Colour field = 0, fieldText = 0;  // edits and lists
    Colour grayText = 0;              // quieter text on `face`
    Colour highlight = 0, highlightText = 0;
    Colour info = 0, infoText = 0;       // the preview and other hints
    Colour menu = 0, menuText = 0;       // drawn inside menus (section headers)
    Colour menuGrayText = 0;             // quieter text on `menu`, still readable
    Colour ruleDark = 0, ruleLight = 0;  // an engraved line on `menu`: the groove, then its lit edge
    friend bool operator==(const Palette&, const Palette&) = default;
};

// The dark colours of the program, like those of the system's own dark windows.
Palette DarkPalette() noexcept;

}  // namespace toolkit
