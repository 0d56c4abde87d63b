// Holders for reading a file through a read-only mapping: the file opened for
// shared reading, its mapping and a view of its first bytes. Each owns one
// system object and throws Win32Error when it cannot acquire it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/system_handles.h"

namespace zet {

class InputFile {
 public:
  // Others may read the file while it is open, but not write it.
  explicit InputFile(const char* path);

  // The size in bytes, high word included: a 32-bit system maps far less.
  uint64_t GetSize() const;

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
};

class MappedView {
 public:
  // The first `length` bytes, which must lie in the file: only what is read is
  // mapped, since a 32-bit process has no room for a view of a large file.
  MappedView(const FileMapping& mapping, uint32_t length);

  // File offset 0; read-only.
  const uint8_t* Base() const { return view_.Get().base; }

 private:
  UniqueView view_;
};

}  // namespace zet
