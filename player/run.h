// The player's model of the run-time: what a kind's frame code shows, frame
// by frame and to the millisecond, and how the run ends.
//
// The code runs from offset 0. "frame N" shows N for one frame time,
// "repeat F for N" shows F for N frame times, "for A to B" shows A, A±1, ..
// B for one frame time each, "goto L" continues at L, "prob P of Q goto L"
// continues at L with chance P/Q (a certain jump, P = Q, draws nothing).
// The run ends at the end of the code (the last frame stays) or, with
// `loop`, starts again at offset 0. When an instruction is reached again
// with no draw since its last visit, everything after repeats forever: the
// run cycles. Otherwise it is cut at `maxMs`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/frame_code.h"

namespace zetplay {

struct RunSettings {
  int64_t frameMs = 100;  // one frame time
  int64_t maxMs = 10000;
  bool loop = false;
  uint64_t seed = 1;
};

// One instruction's effect: a frame shown for a time, or a jump.
struct Step {
  int64_t time = 0;     // ms from the start of the run
  uint32_t offset = 0;  // code offset of the instruction
  zetreader::FrameOp op = zetreader::FrameOp::Frame;
  int frame = -1;        // the frame shown; -1 for a jump
  int64_t duration = 0;  // ms the frame is shown (cut short at maxMs)
  bool taken = false;    // a jump that was made (goto, or prob that hit)
  uint32_t next = 0;     // where the code continued
};

enum class Ending {
  Ends,    // the code ended; the last frame stays
  Cycles,  // steps from cycleStep on repeat forever
  Cut,     // cut at maxMs
  Still,   // the code ended without showing a frame: frame 0 stays
};

struct Run {
  std::vector<Step> steps;
  Ending ending = Ending::Ends;
  int64_t length = 0;    // ms: the steps' total
  size_t cycleStep = 0;  // Cycles: the first step that repeats
  // The last step before which the code was about to run offset 0 again,
  // after showing a frame and before maxMs: where a cut run's export can go
  // back to its start as the code does. 0: no such moment.
  size_t restartStep = 0;
  int draws = 0;  // chances drawn
};

// A path of this many instructions that shows no frame would hang a player.
constexpr int kFramelessLimit = 100000;

// Code that would hang a player: the offsets of the loop that shows nothing.
struct HangFault {
  std::vector<uint32_t> offsets;
};

// Plays `code` (checked by the reader: frames exist, jumps land on
// instructions or at `codeLength`). Throws HangFault.
Run PlayCode(const std::vector<zetreader::Instruction>& code, uint32_t codeLength,
             const RunSettings& settings);

}  // namespace zetplay
