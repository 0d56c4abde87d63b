#include "player/tiny_font.h"

namespace zetplay {

namespace {

struct Entry {
  char c;
  uint8_t rows[kGlyphHeight];
};

constexpr Entry kFont[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'x', {0, 5, 2, 5, 0}}, {'m', {0, 7, 7, 5, 5}},
    {'s', {0, 3, 4, 1, 6}}, {'-', {0, 0, 7, 0, 0}},
};
constexpr uint8_t kBlank[kGlyphHeight] = {0, 0, 0, 0, 0};

}  // namespace

const uint8_t* Glyph(char c) {
  for (const Entry& entry : kFont) {
    if (entry.c == c) {
      return entry.rows;
    }
  }
  return kBlank;
}

}  // namespace zetplay
