// The compiled file while it is written. It is written into a new file beside
// the output, held exclusively, which Commit puts in the output's place with
// the replaced file's permissions. Until then, and whenever writing fails, the
// output stays as it was. The new file has no name until it is complete
// (Linux), or a unique one that the holder removes (Windows, and Linux file
// systems without unnamed files), so that a compile that is killed leaves
// nothing that stops the next one.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system_handles.h"

namespace zet {

// Replacing a device or a folder with a file would destroy what it is.
inline constexpr char kNotRegularFile[] = "OUTPUT がファイルではないため、置き換えられません。\r\n";

class OutputFile {
 public:
  // Throws Win32Error: 5 for an existing output that cannot be replaced
  // (read-only), 32 for one another holder keeps open, 3 for a missing
  // folder, or the system's code for the new file; kNotRegularFile for an
  // output that is a folder, a device or anything else but a file.
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
  void CheckReplaceable();
  void CreateTemporary();

  std::string path_;
  std::string temporaryPath_;  // empty while the new file has no name
  UniqueSystemFile handle_;
  bool replacing_ = false;     // an output exists
  uint32_t existingMode_ = 0;  // Linux: its permission bits
  bool committed_ = false;
};

}  // namespace zet
