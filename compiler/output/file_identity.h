// Which file a path names, whatever its spelling: "x.bmp", ".\x.bmp", an
// absolute path and a hard link all name one file.
#pragma once

#include <cstdint>
#include <optional>

namespace zet {

struct FileIdentity {
  uint64_t volume;
  uint64_t file;

  bool operator==(const FileIdentity& other) const {
    return volume == other.volume && file == other.file;
  }
};

// Empty when the path names nothing that can be queried (no such file).
std::optional<FileIdentity> FindFileIdentity(const char* path);

}  // namespace zet
