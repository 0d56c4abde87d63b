// What the control flow of one kind's compiled frame code says about its
// program: statements no path reaches, labels nothing jumps to, loops that
// show no frame, frames no reachable statement shows. The code is read
// with the opcode table of frame_code.h; jumps go to instruction starts or
// to the end of the code, where the animation ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/frames/frame_places.h"
#include "lint/diagnostic.h"

namespace zetlint {

struct FlowFinding {
  Check check = Check::Unreachable;
  Severity severity = Severity::Warning;
  zet::FramePosition at;  // in the frames program; line 0: the program as a whole
  std::string text;       // Shift-JIS
};

// `code` holds `length` bytes that FrameCompiler made, with `places` recorded
// by it, for a strip of `frameCount` frames.
std::vector<FlowFinding> AnalyseFlow(const uint8_t* code, uint32_t length,
                                     const zet::FramePlaces& places, uint32_t frameCount);

// "1-3, 5": the frames of [first, last] pairs, in order.
std::string FrameRanges(const std::vector<std::pair<uint32_t, uint32_t>>& ranges);

}  // namespace zetlint
