#include "reader/test_content.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/little_endian.h"
#include "platform/unicode.h"
#include "reader/text_code.h"
#include "tests/support/bmp_file.h"

namespace zetreader {

// The blocks of a BMP file of the tests' own pattern, without its file header.
BitmapContent MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed) {
  uint32_t offBits = 0;
  const zet::BmpPattern pattern{[](uint32_t index) { return static_cast<uint8_t>(index * 3); },
                                [&offBits](uint32_t offset, uint32_t) {
                                  return static_cast<uint8_t>((offset - offBits) * 7 + 1);
                                }};
  offBits = 54 + 4 * (clrUsed != 0 ? clrUsed : (bitCount <= 8 ? 1u << bitCount : 0));
  const std::string file = zet::BmpFile(width, height, bitCount, clrUsed, pattern);
  BitmapContent bitmap;
  bitmap.info.assign(file.begin() + 14, file.begin() + offBits);
  bitmap.pixels.assign(file.begin() + offBits, file.end());
  return bitmap;
}

std::vector<uint8_t> Code(std::initializer_list<int> bytes) {
  std::vector<uint8_t> code;
  for (int byte : bytes) {
    code.push_back(static_cast<uint8_t>(byte));
  }
  return code;
}

void AppendStatement(std::vector<uint8_t>& code, const Statement& statement) {
  if (statement.operands.size() != static_cast<size_t>(OperandCount(statement.op))) {
    std::abort();  // a test written wrong
  }
  code.push_back(static_cast<uint8_t>(statement.op));
  for (uint16_t operand : statement.operands) {
    zet::AppendLe16(code, operand);
  }
}

std::vector<uint8_t> Assemble(std::initializer_list<Statement> code) {
  std::vector<uint8_t> bytes;
  for (const Statement& statement : code) {
    AppendStatement(bytes, statement);
  }
  return bytes;
}

std::vector<uint8_t> LoopCode() {
  return Assemble({{FrameOp::Frame, {0}},
                   {FrameOp::Frame, {1}},
                   {FrameOp::Repeat, {2, 3}},
                   {FrameOp::Prob, {1, 4, 3}},
                   {FrameOp::For, {0, 2}},
                   {FrameOp::Goto, {3}}});
}

FileContent WorkedLayout() {
  FileContent content;
  content.comment = u"abc";
  content.captions[0] = u"OK";
  content.bitmaps.push_back(MakeBitmap(10, 20, 24));
  for (KindContent& kind : content.kinds) {
    kind.frameHeight = 20;
    kind.code = Assemble({{FrameOp::Frame, {0}}});
  }
  return content;
}

FileContent DamageBase() {
  FileContent content = WorkedLayout();
  content.bitmaps[0] = MakeBitmap(10, 60, 24);
  content.kinds[0].code = LoopCode();
  return content;
}

FileContent RichFile() {
  FileContent content;
  content.comment = u"見本のコメント";
  content.userName = u"見本 太郎";
  content.captions[0] = u"了解";
  content.captions[1] = u" やめる ";
  content.captions[9] = u"\"ヘルプ\"";
  content.bitmaps = {MakeBitmap(10, 60, 8), MakeBitmap(10, -20, 24), MakeBitmap(7, 20, 4, 5)};
  KindContent* kinds = content.kinds;
  kinds[0] = {20, 100, u"（お知らせ）", u"処理を続けます。", LoopCode(), 0};
  // goto L3; 0; prob 1 of 2 goto L13;  (L13 is the end of the code)
  kinds[1] = {60,
              -5,
              u"",
              u"'引用'",
              Assemble({{FrameOp::Goto, {3}}, {FrameOp::Frame, {0}}, {FrameOp::Prob, {1, 2, 13}}}),
              0};
  kinds[2] = {10, 0, u"", u"", {}, 1};
  // repeat 3 for 65535; for 3 to 0;
  kinds[3] = {
      5, 2147483647, u"\t", u"", Assemble({{FrameOp::Repeat, {3, 65535}}, {FrameOp::For, {3, 0}}}),
      2};
  kinds[4] = {20, -2147483647 - 1, u"？", u"", Assemble({{FrameOp::Frame, {0}}}), 1};
  return content;
}

std::string Utf8FromShiftJis(const std::string& shiftJis) {
  std::u16string units;
  PlatformFromShiftJis(shiftJis, units);
  return zet::Utf8FromUtf16(units);
}

std::string ReadTestFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void PutU32(std::vector<uint8_t>& bytes, uint32_t at, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i) {
    bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
  }
}

uint32_t GetU32(const std::vector<uint8_t>& bytes, uint32_t at) {
  uint32_t value = 0;
  for (uint32_t i = 0; i < 4; ++i) {
    value |= static_cast<uint32_t>(bytes.at(at + i)) << (8 * i);
  }
  return value;
}

}  // namespace zetreader
