// Holders for reading a file through a read-only mapping of the whole file:
// the file opened for shared reading, its mapping and the view of it. Each
// owns one system object and throws Win32Error when it cannot acquire it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "compiler/common/system_handles.h"

namespace zet {

class InputFile {
 public:
  // Others may read the file while it is open, but not write it.
  explicit InputFile(const char* path);

  // The size in bytes; sizes are 32-bit throughout.
  uint32_t GetSize() const;

 private:
  friend class FileMapping;
  UniqueSystemFile handle_;
};

class FileMapping {
 public:
  // The whole file; an empty file cannot be mapped (1006).
  explicit FileMapping(const InputFile& file);

 private:
  friend class MappedView;
  UniqueSystemMapping handle_;  // Linux: a descriptor of its own
  size_t length_ = 0;           // Linux: the bytes a view maps
};

class MappedView {
 public:
  explicit MappedView(const FileMapping& mapping);

  // File offset 0; read-only.
  const uint8_t* Base() const { return view_.Get().base; }

 private:
  UniqueView view_;
};

}  // namespace zet
