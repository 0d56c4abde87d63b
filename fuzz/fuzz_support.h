// What every harness checks besides the absence of crashes: a failure reaches
// the user as a complete message, and no input leaves a descriptor open.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system_handles.h"

namespace zet {

// Reports a broken promise with the input's context and aborts, which the
// fuzzer records as a crash.
[[noreturn]] void FuzzFailure(const char* what, const std::string& detail = "");

// A thrown message: not empty, no NUL, ending in "\r\n".
void CheckFailureText(const std::string& text);
// A system code must have a text, or the log line would be empty.
void CheckSystemCode(uint32_t code);

// Entries of /proc/self/fd.
int OpenDescriptorCount();

// A file in memory with a path that opens it again, so that input bytes go
// through the programs' real opening and mapping code without a disk.
class MemoryFile {
 public:
  MemoryFile();

  // Replaces the whole content.
  void Fill(const std::string& bytes);
  const std::string& Path() const { return path_; }

 private:
  UniqueDescriptor fd_;
  std::string path_;
};

}  // namespace zet
