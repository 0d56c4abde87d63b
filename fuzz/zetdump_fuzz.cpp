// zetdump's reader on any file: --check, the dump and --decompile end in a
// fault or a result, never in a read outside the file, and the three agree
// on whether the file is sound and where its first fault lies.
//
// Input: the bytes of the compiled file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "reader/compiled_file.h"
#include "reader/text_code.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zet::FileBytes bytes(std::vector<uint8_t>(data, data + size));
  const std::optional<zet::FileFault> fault = zet::CheckCompiledFile(bytes);
  std::string text;
  try {
    zet::DumpCompiledFile(bytes, text);
    zet::ToConsoleText(text);
    if (fault) {
      zet::FuzzFailure("the dump accepts a file that --check refuses", zet::FaultLine(*fault));
    }
  } catch (const zet::FileFault& dumpFault) {
    zet::ToConsoleText(text);  // what was dumped before the fault is shown too
    if (!fault || dumpFault.offset != fault->offset) {
      zet::FuzzFailure("the dump and --check disagree", zet::FaultLine(dumpFault));
    }
  }
  try {
    zet::Decompile(bytes, "fuzz");
    if (fault) {
      zet::FuzzFailure("--decompile accepts a file that --check refuses", zet::FaultLine(*fault));
    }
  } catch (const zet::FileFault& decompileFault) {
    if (!fault || decompileFault.text != fault->text) {
      zet::FuzzFailure("--decompile and --check disagree", zet::FaultLine(decompileFault));
    }
  } catch (const zet::NoSourceFault& noSource) {
    if (fault) {
      zet::FuzzFailure("--decompile finds no source for a file --check refuses", noSource.text);
    }
  }
  return 0;
}
