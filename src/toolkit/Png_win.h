#pragma once
// Pictures compressed without loss as PNG through the system's imaging
// component (WIC), for the clipboard archive. The calling thread must be in
// COM (toolkit::ComApartment). 24- and 32-bit pictures go through PNG with
// the same pixels coming back (the fourth byte of 32-bit pixels too); others
// (palettes, 16-bit) are told by CanBePng and kept as they are.
#include <cstdint>
#include <span>
#include <vector>

namespace toolkit {

// Whether the BMP file's picture goes through PNG with every pixel the same.
bool CanBePng(std::span<const uint8_t> bmpFile);
// The PNG of a BMP file for which CanBePng holds. Throws common::Failure
// (toolkit::BmpError for a refused BMP, common::Win32Error where WIC failed).
std::vector<uint8_t> PngOfBmp(std::span<const uint8_t> bmpFile);
// A BMP file (24- or 32-bit, bottom-up) of a PNG. Throws common::Win32Error
// when the bytes are not a PNG the system reads.
std::vector<uint8_t> BmpOfPng(std::span<const uint8_t> png);
// Whether `bytes` start as a PNG does.
bool IsPng(std::span<const uint8_t> bytes);

}  // namespace toolkit
