// What a compiled message file holds, as its reader sees it (the layout is in
// file_format.h), and the reading itself in stages (header, texts, one kind
// at a time), so that a dump can show everything before the first fault.
// Each stage checks everything a reader of the file relies on and throws
// FileFault at the first violation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reader/bitmap_blocks.h"
#include "reader/file_bytes.h"
#include "reader/file_format.h"
#include "reader/frame_code.h"

namespace zetreader {

struct TextField {
  std::string name;     // what the text is, for messages
  uint32_t offset = 0;  // 0: absent
  std::u16string text;  // without its terminating 0
};

struct KindRecord {
  int32_t frameHeight = 0;
  int32_t frameTime = 0;
  TextField suffix, message;
  BitmapBlocks bitmap;
  int sharesWith = -1;  // earlier kind whose two bitmap offsets these are, or -1
  uint32_t frameCount = 0;
  uint32_t codeOffset = 0;
  uint32_t codeLength = 0;
  std::vector<Instruction> code;
};

struct CompiledFile {
  uint32_t version = 0;
  uint32_t size = 0;
  TextField comment, userName;
  TextField captions[kCaptionCount];
  KindRecord kinds[kKindCount];
};

void ReadHeader(const FileBytes& bytes, CompiledFile& file);
void ReadTexts(const FileBytes& bytes, CompiledFile& file);
// Needs the earlier kinds read, for bitmap sharing.
void ReadKind(const FileBytes& bytes, CompiledFile& file, int kind);

// All stages.
CompiledFile ReadCompiledFile(const FileBytes& bytes);

// The first thing in the file that a reader could not rely on; nothing for a
// well-formed file.
std::optional<FileFault> CheckCompiledFile(const FileBytes& bytes);

}  // namespace zetreader
