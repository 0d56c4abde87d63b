#include "reader/frame_code.h"

#include <algorithm>
#include <string>

#include "reader/format.h"

namespace zetreader {
namespace {

// The file offset of operand `index` of an instruction of the code at `codeOffset`.
uint32_t OperandOffset(uint32_t codeOffset, const Instruction& instruction, int index) {
  return codeOffset + instruction.offset + 1 + 2 * static_cast<uint32_t>(index);
}

class CodeChecker {
 public:
  CodeChecker(uint32_t codeOffset, uint32_t frameCount, const char* kindName)
      : codeOffset_(codeOffset), frameCount_(frameCount), kindName_(kindName) {}

  void CheckOperands(const Instruction& instruction) const {
    switch (instruction.op) {
      case FrameOp::Frame:
        CheckFrame(instruction, 0);
        break;
      case FrameOp::Repeat:
        CheckFrame(instruction, 0);
        CheckRepeatCount(instruction);
        break;
      case FrameOp::For:
        CheckFrame(instruction, 0);
        CheckFrame(instruction, 1);
        break;
      case FrameOp::Goto:
        break;
      case FrameOp::Prob:
        CheckChance(instruction);
        break;
    }
  }

  void CheckTarget(const Instruction& instruction, const std::vector<Instruction>& code,
                   uint32_t length) const {
    const uint32_t target = JumpTarget(instruction);
    const int index = instruction.op == FrameOp::Goto ? 0 : 2;
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
                                    : OperandOffset(codeOffset_, instruction, operand);
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

  void CheckRepeatCount(const Instruction& instruction) const {
    if (instruction.operands[1] == 0) {
      Fail(instruction, 1, "繰り返し数が 0 です。");
    }
  }

  void CheckChance(const Instruction& instruction) const {
    const uint16_t p = instruction.operands[0];
    const uint16_t q = instruction.operands[1];
    if (p == 0 || p > q || q > kLargestChance) {
      Fail(instruction, 0, Format("確率 %u/%u が 1 <= P <= Q <= 255 を満たしません。", p, q));
    }
  }

  uint32_t codeOffset_;
  uint32_t frameCount_;
  const char* kindName_;
};

}  // namespace

bool IsJump(const Instruction& instruction) {
  return instruction.op == FrameOp::Goto || instruction.op == FrameOp::Prob;
}

uint16_t JumpTarget(const Instruction& instruction) {
  return instruction.operands[instruction.op == FrameOp::Goto ? 0 : 2];
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
      instruction.operands[i] = bytes.U16(OperandOffset(codeOffset, instruction, i));
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
