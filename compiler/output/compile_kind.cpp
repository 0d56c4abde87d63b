#include "compiler/output/compile_kind.h"

#include <cstdint>
#include <string>

#include "compiler/common/format_string.h"
#include "compiler/frames/frame_compiler.h"
#include "compiler/output/mapped_bitmap.h"

namespace zet {

void CompileKind(MessageKindSettings& kind) {
  if (kind.bitmapPath.empty()) {
    throw std::string("BITMAP が指定されていません。\r\n");
  }
  // Opened for its height only, and held until the compiler is done; writing
  // the file opens it again.
  const MappedBitmap bitmap(kind.bitmapPath.c_str());
  const uint32_t frameCount = SettleFrameCount(kind, bitmap.Height());
  FrameCompiler compiler(kind.framesProgram.c_str(), kind.code, frameCount);
  compiler.Compile();
}

uint32_t SettleFrameCount(MessageKindSettings& kind, uint32_t height) {
  if (kind.frameHeight == 0) {
    kind.frameHeight = static_cast<int32_t>(height);
  }
  if (kind.frameHeight == 0) {
    throw std::string("ビットマップの高さが 0 です。\r\n");
  }
  // Unsigned, so that a negative frame height is refused too.
  if (static_cast<uint32_t>(kind.frameHeight) > height) {
    throw std::string("FRAMEHEIGHTがビットマップの高さを超えています。\r\n");
  }
  // Rows below the last whole frame belong to no frame.
  return height / static_cast<uint32_t>(kind.frameHeight);
}

std::string KindErrorMessage(const char* kindName, const std::string& text) {
  // The text is an argument, never the format: it may hold "%".
  return FormatString("[%s]の処理中にエラーが発生しました。\r\n%s", kindName, text.c_str());
}

}  // namespace zet
