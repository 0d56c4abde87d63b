// Where the statements and labels of one frames program stand in its text,
// recorded by FrameCompiler on request for tools that point into a program
// (the lint). Lines and columns are the scanner's, starting at 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zet {

struct FramePosition {
  int32_t line = 0;
  int32_t column = 0;
};

// A statement that emitted an instruction, at the code offset of that
// instruction; the position is that of its first token.
struct StatementPlace {
  uint32_t offset = 0;
  FramePosition at;
};

struct LabelPlace {
  std::string name;
  uint32_t offset = 0;  // the code offset it stands for
  FramePosition at;
  bool referenced = false;  // some goto or prob names it
};

struct FramePlaces {
  std::vector<StatementPlace> statements;  // in code order
  std::vector<LabelPlace> labels;          // in order of definition
};

}  // namespace zet
