// One opened compiled message file as the run-time keeps it: the reader's
// view of the bytes, and per kind the strip as GDI takes it. Immutable once
// opened, so that boxes on several threads may share it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "reader/compiled_file.h"
#include "reader/file_bytes.h"

namespace zetrt {

// A kind's strip for a device-independent blit: a BITMAPINFO of a 40-byte
// header (the masks after it for bit fields, then the colour table) and the
// rows in the file.
struct Strip {
  std::vector<uint8_t> info;
  const uint8_t* bits = nullptr;
  int width = 0;
  int rows = 0;
  bool topDown = false;
  int frameHeight = 0;
  int frameCount = 0;
};

}  // namespace zetrt

struct ZetMessages {
  zetreader::FileBytes bytes;
  zetreader::CompiledFile file;
  zetrt::Strip strips[zetreader::kKindCount];
};

namespace zetrt {

// Reads and checks `bytes`; throws zetreader::FileFault for a file the
// reader refuses or a strip that cannot be drawn (zetreader::CheckDrawable).
std::unique_ptr<ZetMessages> OpenMessages(std::vector<uint8_t> bytes);

}  // namespace zetrt
