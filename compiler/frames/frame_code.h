// Frame code: what the frames compiler makes of one message kind's program,
// and what the animation runs. This header is its description; the compiler,
// its buffers and whatever reads compiled code take sizes, operand kinds and
// limits from here.
//
// Instructions are packed without gaps, alignment or end marker (the kind
// record gives the code's length): an opcode byte, then the opcode's
// operands, each 16 bits little-endian.
//
//   byte    0    1    2    3    4    5    6
//         +----+---------+---------+---------+
//         | op | lo   hi | lo   hi | lo   hi |   operands 0, 1, 2: as many as op takes
//         +----+---------+---------+---------+
//
// Operand kinds:
//   Frame   a frame number of the strip, below its frame count
//   Count   how many times: 1 to kMaxFrameNumber
//   Chance  P or Q of a probability P/Q: 1 <= P <= Q <= kMaxFrameChance
//   Jump    the code offset of a label: an instruction start or the end of the code
#pragma once

#include <cstdint>

#include "platform/little_endian.h"

namespace zet {

// Each opcode with its operands (names as in the statement it comes from)
// and their kinds; kFrameOpcodes below holds the same as data.
enum FrameOpcode : uint8_t {
  OpFrame = 0,   // N      Frame               from N
  OpRepeat = 1,  // F N    Frame Count         from 'repeat' F 'for' N
  OpFor = 2,     // A B    Frame Frame         from 'for' A 'to' B (either order)
  OpGoto = 3,    // L      Jump                from 'goto' L
  OpProb = 4,    // P Q L  Chance Chance Jump  from 'prob' P 'of' Q 'goto' L
};

enum class FrameOperand : uint8_t {
  None = 0,  // an operand slot the opcode does not use
  Frame,
  Count,
  Chance,
  Jump,
};

constexpr uint32_t kFrameOperandSize = 2;  // bytes, little-endian
constexpr uint32_t kMaxFrameOperands = 3;

struct FrameOpcodeInfo {
  uint8_t size;  // bytes, the opcode byte included
  uint8_t operandCount;
  FrameOperand operands[kMaxFrameOperands];  // None past operandCount
};

// Indexed by FrameOpcode.
constexpr FrameOpcodeInfo kFrameOpcodes[] = {
    /* OpFrame  */ {3, 1, {FrameOperand::Frame}},
    /* OpRepeat */ {5, 2, {FrameOperand::Frame, FrameOperand::Count}},
    /* OpFor    */ {5, 2, {FrameOperand::Frame, FrameOperand::Frame}},
    /* OpGoto   */ {3, 1, {FrameOperand::Jump}},
    /* OpProb   */ {7, 3, {FrameOperand::Chance, FrameOperand::Chance, FrameOperand::Jump}},
};
constexpr uint32_t kFrameOpcodeCount = sizeof(kFrameOpcodes) / sizeof(kFrameOpcodes[0]);
static_assert(kFrameOpcodeCount == OpProb + 1u, "one entry per opcode");

// Where operand `index` stands, in bytes from the start of its instruction.
constexpr uint32_t FrameOperandOffset(uint32_t index) {
  return 1 + kFrameOperandSize * index;
}

constexpr bool FrameOpcodeTableIsSound() {
  for (const FrameOpcodeInfo& info : kFrameOpcodes) {
    if (info.operandCount > kMaxFrameOperands ||
        info.size != FrameOperandOffset(info.operandCount)) {
      return false;
    }
    for (uint32_t i = 0; i < kMaxFrameOperands; ++i) {
      if ((info.operands[i] == FrameOperand::None) != (i >= info.operandCount)) {
        return false;
      }
    }
  }
  return true;
}
static_assert(FrameOpcodeTableIsSound(), "each size is the opcode byte plus its operands");

// Which operand of `op` is the jump; -1 for an opcode that does not jump.
constexpr int FrameJumpOperand(uint8_t op) {
  for (uint32_t i = 0; i < kFrameOpcodes[op].operandCount; ++i) {
    if (kFrameOpcodes[op].operands[i] == FrameOperand::Jump) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// Whether `op` has an operand of `kind`: a jump with a chance may also go on
// to the next instruction, an opcode without a frame shows none.
constexpr bool FrameOpcodeHas(uint8_t op, FrameOperand kind) {
  for (FrameOperand operand : kFrameOpcodes[op].operands) {
    if (operand == kind) {
      return true;
    }
  }
  return false;
}

// One instruction of code the compiler wrote (whole, with a known opcode).
struct FrameInstruction {
  uint32_t offset = 0;
  uint8_t op = 0;
  uint16_t operands[kMaxFrameOperands] = {};
};

inline FrameInstruction ReadFrameInstruction(const uint8_t* code, uint32_t offset) {
  FrameInstruction instruction;
  instruction.offset = offset;
  instruction.op = code[offset];
  for (uint32_t i = 0; i < kFrameOpcodes[instruction.op].operandCount; ++i) {
    instruction.operands[i] = ReadLe16(code + offset + FrameOperandOffset(i));
  }
  return instruction;
}

// Limits of one message kind's program and code.
constexpr uint32_t kMaxFrameCodeSize = 16384;  // bytes of code
constexpr uint32_t kMaxFrameLabels = 256;      // distinct label names
constexpr uint32_t kMaxFrameNumber = 65535;    // any number the program writes
constexpr uint32_t kMaxFrameChance = 255;      // Q, and so P, of a prob
// Bytes of a label name that tell it apart; a longer name is cut to these.
constexpr uint32_t kMaxLabelNameLength = 255;

// A jump to the end of the code is a 16-bit operand too.
static_assert(kMaxFrameCodeSize <= kMaxFrameNumber, "every code offset fits an operand");

}  // namespace zet
