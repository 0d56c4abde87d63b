// Test support that differs between the systems.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system_handles.h"

namespace zet {

// Keeps a file open the way another program writing it would, so that
// opening it for reading or writing meets a sharing conflict.
class ExclusiveHold {
 public:
  explicit ExclusiveHold(const std::string& path);

 private:
  UniqueSystemFile handle_;
};

// Makes the file `size` bytes long without writing the bytes added (sparse where
// the file system allows), so that tests can afford files of gigabytes.
void ExtendFile(const std::string& path, uint64_t size);

}  // namespace zet
