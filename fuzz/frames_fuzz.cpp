// The frames compiler on any text and any frame count: a program either
// compiles to frame code that the reader's independent decoder accepts, or
// fails with one positioned message line.
//
// Input: the frame count in two bytes, little-endian (0xFFFF stands for a
// strip with more frames than a number can name), then the program text.
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/frames/code_buffer.h"
#include "compiler/frames/frame_compiler.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "reader/file_bytes.h"
#include "reader/frame_code.h"

namespace zet {
namespace {

constexpr uint32_t kManyFrames = 0x7FFFFFFF;

void CheckMessage(const std::string& message) {
  CheckFailureText(message);
  if (message.compare(0, 6, "frames") != 0 || message.find('\n') != message.size() - 1) {
    FuzzFailure("a frames error is not one positioned line", message);
  }
}

void CheckCode(const CodeBuffer& code, uint32_t frameCount) {
  if (code.Length() > kCodeBufferCapacity) {
    FuzzFailure("the code outgrew its buffer");
  }
  const zetreader::FileBytes bytes(
      std::vector<uint8_t>(code.Bytes(), code.Bytes() + code.Length()));
  try {
    zetreader::DecodeFrameCode(bytes, 0, code.Length(), frameCount, "fuzz");
  } catch (const zetreader::FileFault& fault) {
    FuzzFailure("compiled code that the decoder refuses", zetreader::FaultLine(fault));
  }
}

}  // namespace
}  // namespace zet

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zet::FuzzInput input(data, size);
  uint32_t frameCount = input.U16();
  if (frameCount == 0xFFFF) {
    frameCount = zet::kManyFrames;
  }
  const std::string text = input.Rest();
  zet::CodeBuffer code;
  try {
    zet::FrameCompiler(text.c_str(), code, frameCount).Compile();
  } catch (const std::string& message) {
    zet::CheckMessage(message);
    return 0;
  }
  zet::CheckCode(code, frameCount);
  return 0;
}
