#include "compiler/source/source_file.h"

namespace zet {

SourceSection::SourceSection(const SourceFile& file, const char* section)
    : file_(file), section_(section) {}

std::string SourceSection::ReadString(const char* key, const char* defaultText) const {
  if (defaultText == nullptr) {
    defaultText = "";
  }
  std::string value = file_.GetString(section_.c_str(), key, defaultText);
  // An empty value reads as a missing key.
  return value.empty() ? std::string(defaultText) : value;
}

int32_t SourceSection::ReadInt(const char* key, int32_t defaultValue) const {
  return file_.GetInt(section_.c_str(), key, defaultValue);
}

}  // namespace zet
