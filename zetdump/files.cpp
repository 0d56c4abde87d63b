#include "zetdump/files.h"

namespace zetdump {

using zetreader::FileError;

namespace {

// Undoes what a WriteNewFiles call made, unless it is kept.
class Written {
 public:
  explicit Written(const std::string& folder) : folder_(folder) {}
  ~Written() {
    if (kept_) {
      return;
    }
    for (const std::string& path : files_) {
      RemoveFile(path);
    }
    if (madeFolder_) {
      RemoveFolder(folder_);
    }
  }
  Written(const Written&) = delete;
  Written& operator=(const Written&) = delete;

  void MadeFolder() { madeFolder_ = true; }
  void Add(const std::string& path) { files_.push_back(path); }
  void Keep() { kept_ = true; }

 private:
  const std::string folder_;
  std::vector<std::string> files_;
  bool madeFolder_ = false;
  bool kept_ = false;
};

}  // namespace

std::string PathIn(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void WriteNewFiles(const std::vector<NamedFile>& files, const std::string& folder) {
  for (const auto& file : files) {
    if (NameTaken(PathIn(folder, file.first))) {
      throw FileError{PathIn(folder, file.first), "既にあるファイルは上書きしません。"};
    }
  }
  Written written(folder);
  if (MakeFolder(folder)) {
    written.MadeFolder();
  }
  for (const auto& [name, bytes] : files) {
    const std::string path = PathIn(folder, name);
    bool created = false;
    const bool complete = CreateNewFile(path, bytes, created);
    if (created) {
      written.Add(path);
    }
    if (!complete) {
      throw FileError{path,
                      created ? "ファイルを書けません。" : "既にあるファイルは上書きしません。"};
    }
  }
  written.Keep();
}

}  // namespace zetdump
