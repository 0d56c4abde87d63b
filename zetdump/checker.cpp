#include "zetdump/checker.h"

#include "zetdump/compiled_file.h"
#include "zetdump/format.h"

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
