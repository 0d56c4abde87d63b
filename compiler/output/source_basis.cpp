#include "compiler/output/source_basis.h"

#include <cstdint>

#include "compiler/output/compiled_file.h"
#include "compiler/source/source_file.h"

namespace zet {

BasisReading ReadBasis(const SourceSection& basis) {
  BasisReading reading;
  if (basis.ReadInt(kVersionKey, 0) != static_cast<int32_t>(kCompiledFileVersion)) {
    reading.versionFailure = "[basis]中の version が指定されていないか、対応できない値です。\r\n";
  }
  reading.output = basis.ReadString(kOutputKey);
  if (reading.output.empty()) {
    reading.outputFailure = "[BASIS]中に OUTPUT が指定されていません。\r\n";
  }
  reading.comment = basis.ReadString(kCommentKey);
  reading.userName = basis.ReadString(kUserNameKey);
  return reading;
}

}  // namespace zet
