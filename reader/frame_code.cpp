#include "reader/frame_code.h"

#include <algorithm>
#include <string>

#include "reader/format.h"

namespace zetreader {
namespace {

// The file offset of operand `index` of an instruction of the code at `codeOffset`.
uint32_t OperandAt(uint32_t codeOffset, const Instruction& instruction, int index) {
  return codeOffset + instruction.offset + OperandOffset(index);
}

class CodeChecker {
 public:
  CodeChecker(uint32_t codeOffset, uint32_t frameCount, const char* kindName)
      : codeOffset_(codeOffset), frameCount_(frameCount), kindName_(kindName) {}

  // Jumps are checked once the whole code is known.
  void CheckOperands(const Instruction& instruction) const {
    const Opcode& opcode = OpcodeOf(instruction.op);
    for (int i = 0; i < opcode.operandCount; ++i) {
      switch (opcode.operands[i]) {
        case Operand::Frame:
          CheckFrame(instruction, i);
          break;
        case Operand::Count:
          CheckRepeatCount(instruction, i);
          break;
        case Operand::Chance:
          if (i + 1 < opcode.operandCount && opcode.operands[i + 1] == Operand::Chance) {
            CheckChance(instruction, i);  // P and Q together
          }
          break;
        case Operand::None:
        case Operand::Jump:
          break;
      }
    }
  }

  void CheckTarget(const Instruction& instruction, const std::vector<Instruction>& code,
                   uint32_t length) const {
    const uint32_t target = JumpTarget(instruction);
    const int index = JumpOperand(instruction.op);
    if (target > length) {
      Fail(instruction, index,
           Format("飛び先 +%u がコードの終わり (+%u) を越えています。", target, length));
    }
    const auto found =
        std::lower_bound(code.begin(), code.end(), target,
                         [](const Instruction& a, uint32_t offset) { return a.offset < offset; });
    const bool atStart = target == length || (found != code.end() && found->offset == target);
    if (!atStart) {
      Fail(instruction, index, Format("飛び先 +%u が命令の途中を指しています。", target));
    }
  }

  [[noreturn]] void Fail(const Instruction& instruction, int operand,
                         const std::string& text) const {
    const uint32_t at = operand < 0 ? codeOffset_ + instruction.offset
                                    : OperandAt(codeOffset_, instruction, operand);
    throw FileFault{at,
                    Format("%s のコードの +%u: %s", kindName_, instruction.offset, text.c_str())};
  }

 private:
  void CheckFrame(const Instruction& instruction, int index) const {
    const uint16_t frame = instruction.operands[index];
    if (frame >= frameCount_) {
      Fail(instruction, index,
           Format("フレーム番号 %u がフレーム数 %u 以上です。", frame, frameCount_));
    }
  }

  void CheckRepeatCount(const Instruction& instruction, int index) const {
    if (instruction.operands[index] == 0) {
      Fail(instruction, index, "繰り返し数が 0 です。");
    }
  }

  void CheckChance(const Instruction& instruction, int index) const {
    const uint16_t p = instruction.operands[index];
    const uint16_t q = instruction.operands[index + 1];
    if (p == 0 || p > q || q > kLargestChance) {
      Fail(instruction, index, Format("確率 %u/%u が 1 <= P <= Q <= 255 を満たしません。", p, q));
    }
  }

  uint32_t codeOffset_;
  uint32_t frameCount_;
  const char* kindName_;
};

}  // namespace

bool IsJump(const Instruction& instruction) {
  return JumpOperand(instruction.op) >= 0;
}

uint16_t JumpTarget(const Instruction& instruction) {
  return instruction.operands[JumpOperand(instruction.op)];
}

std::string StatementText(const Instruction& instruction, std::string (*target)(uint32_t offset)) {
  const int jump = JumpOperand(instruction.op);
  std::string text;
  for (const char* c = OpcodeOf(instruction.op).statement; *c != '\0'; ++c) {
    if (*c != '%') {
      text += *c;
      continue;
    }
    const int index = *++c - '0';
    const uint16_t operand = instruction.operands[index];
    text += index == jump ? target(operand) : std::to_string(operand);
  }
  return text;
}

std::vector<Instruction> DecodeFrameCode(const FileBytes& bytes, uint32_t codeOffset,
                                         uint32_t length, uint32_t frameCount,
                                         const char* kindName) {
  const CodeChecker checker(codeOffset, frameCount, kindName);
  std::vector<Instruction> code;
  for (uint32_t at = 0; at < length;) {
    Instruction instruction;
    instruction.offset = at;
    const uint8_t opcode = bytes.U8(codeOffset + at);
    if (opcode >= kOpcodeCount) {
      checker.Fail(instruction, -1, Format("不明な命令コード %u です。", opcode));
    }
    instruction.op = static_cast<FrameOp>(opcode);
    const uint32_t size = InstructionSize(instruction.op);
    if (size > length - at) {
      checker.Fail(
          instruction, -1,
          Format("命令 (%u バイト) がコードの終わり (+%u) で切れています。", size, length));
    }
    for (int i = 0; i < OperandCount(instruction.op); ++i) {
      instruction.operands[i] = bytes.U16(OperandAt(codeOffset, instruction, i));
    }
    checker.CheckOperands(instruction);
    code.push_back(instruction);
    at += size;
  }
  for (const Instruction& instruction : code) {
    if (IsJump(instruction)) {
      checker.CheckTarget(instruction, code, length);
    }
  }
  return code;
}

}  // namespace zetreader
