// The contact sheet: every frame of the strip in a grid, each labelled with
// its number and with how often and how long the run shows it ("3x 300ms");
// a frame never shown is crossed out in red and labelled "-".
#pragma once

#include <string>
#include <vector>

#include "player/frame_use.h"
#include "player/picture.h"

namespace zetplay {

// Sheets of more pixels are refused (PlayError).
constexpr int64_t kLargestSheet = 64 * 1024 * 1024;

// A PNG.
std::string DrawSheet(const Picture& picture, int frameHeight, const std::vector<FrameUse>& use);

}  // namespace zetplay
