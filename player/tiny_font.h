// A 3 x 5 pixel font for the labels of the contact sheet: digits and the
// few signs the labels use.
#pragma once

#include <cstdint>
#include <string>

namespace zetplay {

constexpr int kGlyphWidth = 3;
constexpr int kGlyphHeight = 5;

// Rows of `c`, top first, the leftmost pixel in bit 2; blank for a
// character the font lacks.
const uint8_t* Glyph(char c);

}  // namespace zetplay
