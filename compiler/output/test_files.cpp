#include "compiler/output/test_files.h"

#include <filesystem>

namespace zet {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
  return fs::exists(path);
}

void SetReadOnly(const std::string& path, bool readOnly) {
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(path, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

std::string WideBlock(const std::string& ascii) {
  std::string block;
  for (char c : ascii) {
    block += c;
    block += '\0';
  }
  return block + std::string(2, '\0');
}

}  // namespace zet
