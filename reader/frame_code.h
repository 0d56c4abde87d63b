// Frame code, decoded: the instructions of one kind, checked the way the run
// time relies on them. The opcodes and their sizes are in file_format.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/file_bytes.h"
#include "reader/file_format.h"

namespace zetreader {

struct Instruction {
  uint32_t offset = 0;  // from the start of the kind's code
  FrameOp op = FrameOp::Frame;
  uint16_t operands[3] = {0, 0, 0};  // OperandCount(op) of them; the rest 0
};

bool IsJump(const Instruction& instruction);
uint16_t JumpTarget(const Instruction& instruction);  // only for jumps

// The instruction as the frames language writes it ("repeat 2 for 3;"), the
// jump's offset as `target` names it: zetdump's listing and zetplay's trace
// show statements alike.
std::string StatementText(const Instruction& instruction, std::string (*target)(uint32_t offset));

// Decodes the `length` bytes at file offset `codeOffset` (which must lie in
// the file) and checks every instruction: known opcode, whole, frame numbers
// below `frameCount`, a repeat count above 0, 1 <= P <= Q <= 255, and jump
// targets at an instruction start or at the end of the code. Throws
// FileFault with the file offset of the first fault; `kindName` names the kind.
std::vector<Instruction> DecodeFrameCode(const FileBytes& bytes, uint32_t codeOffset,
                                         uint32_t length, uint32_t frameCount,
                                         const char* kindName);

}  // namespace zetreader
