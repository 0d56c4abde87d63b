// Frame code, decoded: the instructions of one kind, checked the way the run
// time relies on them, and written back as statements of the frames
// language. Instructions are packed without gaps:
//   +----+-----+-----+-----+
//   | op | u16 | u16 | u16 |   (operands little-endian, as many as op takes)
//   +----+-----+-----+-----+
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/file_bytes.h"

namespace zet {

// Our own copy of the opcode values: this reader shares no code with the
// compiler whose output it checks.
enum class FrameOp : uint8_t {
  Frame = 0,   // frame N                                 3 bytes
  Repeat = 1,  // frame F, count N (1..65535)             5 bytes
  For = 2,     // frame A, frame B (either order)         5 bytes
  Goto = 3,    // code offset of L                        3 bytes
  Prob = 4,    // P, Q (1 <= P <= Q <= 255), offset of L  7 bytes
};

struct Instruction {
  uint32_t offset = 0;  // from the start of the kind's code
  FrameOp op = FrameOp::Frame;
  uint16_t operands[3] = {0, 0, 0};
};

uint32_t InstructionSize(FrameOp op);
bool IsJump(const Instruction& instruction);
uint16_t JumpTarget(const Instruction& instruction);  // only for jumps

// Decodes the `length` bytes at file offset `codeOffset` (which must lie in
// the file) and checks every instruction: known opcode, whole, frame numbers
// below `frameCount`, a repeat count above 0, 1 <= P <= Q <= 255, and jump
// targets at an instruction start or at the end of the code. Throws
// FileFault with the file offset of the first fault; `owner` names the kind.
std::vector<Instruction> DecodeFrameCode(const FileBytes& bytes, uint32_t codeOffset,
                                         uint32_t length, uint32_t frameCount, const char* owner);

// The code offsets that jumps go to, ascending, each once.
std::vector<uint32_t> JumpTargets(const std::vector<Instruction>& code);
// The label that stands for a code offset: "L" and the offset in decimal.
std::string LabelName(uint32_t offset);
// The statement that compiles to the instruction, with its ';'.
std::string StatementText(const Instruction& instruction);

}  // namespace zet
