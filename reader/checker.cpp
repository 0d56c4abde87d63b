#include "reader/checker.h"

#include "reader/compiled_file.h"
#include "reader/format.h"

namespace zet {

std::optional<FileFault> CheckCompiledFile(const FileBytes& bytes) {
  try {
    ReadCompiledFile(bytes);
  } catch (const FileFault& fault) {
    return fault;
  }
  return std::nullopt;
}

std::string FaultLine(const FileFault& fault) {
  return Format("オフセット %u: ", fault.offset) + fault.text;
}

}  // namespace zet
