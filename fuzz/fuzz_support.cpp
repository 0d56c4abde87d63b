#include "fuzz/fuzz_support.h"

#include <dirent.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/system_message.h"

namespace zet {

void FuzzFailure(const char* what, const std::string& detail) {
  fprintf(stderr, "harness: %s\n", what);
  if (!detail.empty()) {
    fprintf(stderr, "  %s\n", detail.c_str());
  }
  abort();
}

void CheckFailureText(const std::string& text) {
  if (text.size() < 3 || text.find('\0') != std::string::npos) {
    FuzzFailure("a failure message is empty or holds a NUL", text);
  }
  if (text.compare(text.size() - 2, 2, "\r\n") != 0) {
    FuzzFailure("a failure message does not end its line", text);
  }
}

void CheckSystemCode(uint32_t code) {
  if (SystemMessage(code).empty()) {
    FuzzFailure("a system code without a text", std::to_string(code));
  }
}

int OpenDescriptorCount() {
  DIR* folder = opendir("/proc/self/fd");
  if (folder == nullptr) {
    FuzzFailure("cannot list /proc/self/fd");
  }
  int count = 0;
  while (readdir(folder) != nullptr) {
    ++count;
  }
  closedir(folder);
  return count;
}

MemoryFile::MemoryFile() : fd_(memfd_create("zet-fuzz", MFD_CLOEXEC)) {
  if (!fd_.Valid()) {
    FuzzFailure("memfd_create failed");
  }
  path_ = "/proc/self/fd/" + std::to_string(fd_.Get());
}

void MemoryFile::Fill(const std::string& bytes) {
  if (ftruncate(fd_.Get(), 0) != 0 ||
      pwrite(fd_.Get(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
    FuzzFailure("cannot fill the memory file");
  }
}

}  // namespace zet
