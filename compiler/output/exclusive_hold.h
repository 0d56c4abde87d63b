// Test support: keeps a file open the way another program writing it would,
// so that opening it for reading or writing meets a sharing conflict.
#pragma once

#include <cstdint>
#include <string>

namespace zet {

class ExclusiveHold {
 public:
  explicit ExclusiveHold(const std::string& path);
  ~ExclusiveHold();
  ExclusiveHold(const ExclusiveHold&) = delete;
  ExclusiveHold& operator=(const ExclusiveHold&) = delete;

 private:
  intptr_t handle_;
};

}  // namespace zet
