#include "toolkit/Palette.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace toolkit {
namespace {

unsigned Channel(Colour colour, int shift) noexcept { return (colour >> shift) & 0xFF; }

// One channel of the sRGB curve undone: light as it leaves the screen.
double Linear(unsigned channel) noexcept {
    double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Colour Mix(Colour from, Colour to, int stepsToward, int steps) noexcept {
    Colour mixed = 0;
    for (int shift : {0, 8, 16}) {
        int a = static_cast<int>(Channel(from, shift)), b = static_cast<int>(Channel(to, shift));
        mixed |= static_cast<Colour>(a + (b - a) * stepsToward / steps) << shift;
    }
    return mixed;
}

}  // namespace

double Luminance(Colour colour) noexcept {
    return 0.2126 * Linear(Channel(colour, 0)) + 0.7152 * Linear(Channel(colour, 8)) +
           0.0722 * Linear(Channel(colour, 16));
}

double ContrastRatio(Colour a, Colour b) noexcept {
    double la = Luminance(a), lb = Luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

Colour Readable(Colour preferred, Colour fallback, Colour background) noexcept {
    constexpr int kSteps = 16;
    for (int step = 0; step < kSteps; ++step) {
        Colour tried = Mix(preferred, fallback, step, kSteps);
        if (ContrastRatio(tried, background) >= kReadableContrast) return tried;
    }
    return fallback;
}

Palette DarkPalette() noexcept {
    Palette p;
    p.dark = true;
    p.face = Rgb(0x20, 0x20, 0x20);
    p.faceText = Rgb(0xFF, 0xFF, 0xFF);
    p.field = Rgb(0x2B, 0x2B, 0x2B);
    p.fieldText = Rgb(0xFF, 0xFF, 0xFF);
    p.grayText = Rgb(0xA8, 0xA8, 0xA8);
    p.highlight = Rgb(0x00, 0x63, 0xB1);
    p.highlightText = Rgb(0xFF, 0xFF, 0xFF);
    p.info = Rgb(0x2B, 0x2B, 0x2B);
    p.infoText = Rgb(0xF0, 0xF0, 0xF0);
    p.menu = Rgb(0x2B, 0x2B, 0x2B);
    p.menuText = Rgb(0xFF, 0xFF, 0xFF);
    p.menuGrayText = Rgb(0xA8, 0xA8, 0xA8);
    p.ruleDark = Rgb(0x1A, 0x1A, 0x1A);
    p.ruleLight = Rgb(0x48, 0x48, 0x48);
    return p;
}

}  // namespace toolkit
