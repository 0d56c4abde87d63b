// The compiled file while it is written. It is written into a new temporary
// file beside the output, held exclusively; Commit puts it in the output's
// place. Until then, and whenever writing fails, the output stays as it was
// and the temporary file is removed when the holder goes.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/common/system_handles.h"

namespace zet {

class OutputFile {
 public:
  // Throws Win32Error: 5 for an existing output that cannot be replaced
  // (read-only, a folder), 32 for one another holder keeps open, 3 for a
  // missing folder, or the system's code for the temporary file.
  explicit OutputFile(const char* path);
  ~OutputFile();
  OutputFile(OutputFile&&) = delete;

  // The size in bytes of what has been written.
  uint32_t GetSize() const;
  // Writes at the file pointer and returns the size before the write, which
  // is the offset of the bytes while the file is written from its start.
  uint32_t Write(const void* data, uint32_t length);
  // Sets the file pointer back to offset 0.
  void Rewind();
  // Closes the file and replaces the output with it.
  void Commit();

 private:
  void CheckReplaceable() const;
  void CreateTemporary();

  std::string path_;
  std::string temporaryPath_;
  UniqueSystemFile handle_;
  bool committed_ = false;
};

}  // namespace zet
