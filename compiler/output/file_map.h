// Holders for reading a file through a read-only mapping: the file opened for
// shared reading, its mapping and a view of its first bytes. Each owns one
// system object and throws Win32Error when it cannot acquire it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zet {

class InputFile {
 public:
  // Others may read the file while it is open, but not write it.
  explicit InputFile(const char* path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The size in bytes, high word included: a 32-bit system maps far less.
  uint64_t GetSize() const;

 private:
  friend class FileMapping;
  intptr_t handle_;  // HANDLE on Windows, descriptor on Linux
};

class FileMapping {
 public:
  // The whole file; an empty file cannot be mapped (1006).
  explicit FileMapping(const InputFile& file);
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

 private:
  friend class MappedView;
  intptr_t handle_;  // mapping HANDLE on Windows, own descriptor on Linux
};

class MappedView {
 public:
  // The first `length` bytes, which must lie in the file: only what is read is
  // mapped, since a 32-bit process has no room for a view of a large file.
  MappedView(const FileMapping& mapping, uint32_t length);
  ~MappedView();
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;

  // File offset 0; read-only.
  const uint8_t* Base() const { return base_; }

 private:
  const uint8_t* base_;
  size_t length_ = 0;  // Linux: for munmap
};

}  // namespace zet
