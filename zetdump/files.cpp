#include "zetdump/files.h"

#include <cstdio>
#include <memory>

#include "reader/file_bytes.h"

namespace zet {
namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FileHolder = std::unique_ptr<FILE, FileCloser>;

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  const FileHolder file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    throw FileError{path, "ファイルを開けません。"};
  }
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  while (size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    if (bytes.size() + got > kLargestFile) {
      throw FileError{path, "ファイルが 4 GB を超えています。"};
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) {
    throw FileError{path, "ファイルを読み取れません。"};
  }
  return bytes;
}

bool FileExists(const std::string& path) {
  return FileHolder(std::fopen(path.c_str(), "rb")) != nullptr;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const FileHolder file(std::fopen(path.c_str(), "wb"));
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    throw FileError{path, "ファイルを書けません。"};
  }
}

std::string PathIn(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace zet
