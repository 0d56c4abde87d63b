#include "zetdump/files.h"

#include <cstdio>
#include <memory>

namespace zetdump {

using zetreader::FileError;

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FileHolder = std::unique_ptr<FILE, FileCloser>;

}  // namespace

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

}  // namespace zetdump
