// The reader and zetdump on any file: --check, the dump and --decompile end in a
// fault or a result, never in a read outside the file, and the three agree
// on whether the file is well-formed and where its first fault lies.
//
// Input: the bytes of the compiled file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/console.h"
#include "reader/compiled_file.h"
#include "reader/text_code.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zetreader::FileBytes bytes(std::vector<uint8_t>(data, data + size));
  const std::optional<zetreader::FileFault> fault = zetreader::CheckCompiledFile(bytes);
  std::string text;
  try {
    zetdump::DumpCompiledFile(bytes, text);
    zet::ConsoleText(text);
    if (fault) {
      zet::FuzzFailure("the dump accepts a file that --check refuses",
                       zetreader::FaultLine(*fault));
    }
  } catch (const zetreader::FileFault& dumpFault) {
    zet::ConsoleText(text);  // what was dumped before the fault is shown too
    if (!fault || dumpFault.offset != fault->offset) {
      zet::FuzzFailure("the dump and --check disagree", zetreader::FaultLine(dumpFault));
    }
  }
  try {
    zetdump::Decompile(bytes, "fuzz");
    if (fault) {
      zet::FuzzFailure("--decompile accepts a file that --check refuses",
                       zetreader::FaultLine(*fault));
    }
  } catch (const zetdump::NoSourceFault& noSource) {
    if (fault) {
      zet::FuzzFailure("--decompile finds no source for a file --check refuses", noSource.text);
    }
  } catch (const zetreader::FileFault& decompileFault) {
    if (!fault || decompileFault.text != fault->text) {
      zet::FuzzFailure("--decompile and --check disagree", zetreader::FaultLine(decompileFault));
    }
  }
  return 0;
}
