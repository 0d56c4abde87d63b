// Where the compiler puts everything: the file it writes for given content,
// block after block in its order (the comment, the user name, the captions,
// then per kind its suffix, message, code and, unless an earlier kind has the
// same bitmap, its info and pixel blocks). A file that differs from the
// layout of its own content came from no source; tests make files with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/compiled_file.h"
#include "reader/file_bytes.h"

namespace zetreader {

struct BitmapContent {
  std::vector<uint8_t> info;  // info header and colour table
  std::vector<uint8_t> pixels;
};

struct KindContent {
  int32_t frameHeight = 0;
  int32_t frameTime = 0;
  std::u16string suffix, message;  // empty: absent
  std::vector<uint8_t> code;
  int bitmap = 0;  // index into FileContent::bitmaps; equal indexes share blocks
};

struct FileContent {
  std::u16string comment, userName;
  std::u16string captions[kCaptionCount];
  KindContent kinds[kKindCount];
  std::vector<BitmapContent> bitmaps;
};

// The compiled file as the compiler writes it.
std::vector<uint8_t> LayOutCompiledFile(const FileContent& content);

// The content of a file that has been read whole; kinds that share bitmap
// blocks share one bitmap.
FileContent ContentOf(const FileBytes& bytes, const CompiledFile& file);

}  // namespace zetreader
