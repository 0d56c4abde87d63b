// zetdump: shows, checks and decompiles compiled message files. Every input,
// however damaged, ends in a message and an exit status.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "reader/compiled_file.h"
#include "reader/file_bytes.h"
#include "reader/text_code.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"
#include "zetdump/files.h"

namespace zetdump {

using zetreader::CheckCompiledFile;
using zetreader::FaultLine;
using zetreader::FileBytes;
using zetreader::FileError;
using zetreader::FileFault;
using zetreader::ReadFileBytes;
using zetreader::ToConsoleText;

namespace {

constexpr int kSound = 0;
constexpr int kFailed = 1;
constexpr int kWrongUse = 2;

void Write(FILE* stream, const std::string& text) {
  const std::string shown = ToConsoleText(text);
  std::fwrite(shown.data(), 1, shown.size(), stream);
}

// `path` stays as the console gave it; `text` is Shift-JIS.
void Say(FILE* stream, const std::string& path, const std::string& text) {
  const std::string prefix = path.empty() ? "" : path + ": ";
  std::fwrite(prefix.data(), 1, prefix.size(), stream);
  Write(stream, text + "\n");
}

int Usage() {
  Say(stderr, "",
      "使い方:\n"
      "  zetdump ファイル                  内容を表示します\n"
      "  zetdump --check ファイル          読み手が頼るすべてを検査します\n"
      "  zetdump --decompile ファイル フォルダー\n"
      "                                    同じファイルにコンパイルされるソースと BMP を書きます");
  return kWrongUse;
}

int Dump(const std::string& path) {
  const FileBytes bytes = ReadFileBytes(path);
  std::string text;
  try {
    DumpCompiledFile(bytes, text);
  } catch (const FileFault& fault) {
    Write(stdout, text);
    std::fflush(stdout);
    Say(stderr, path, FaultLine(fault));
    return kFailed;
  }
  Write(stdout, text);
  return kSound;
}

int Check(const std::string& path) {
  const FileBytes bytes = ReadFileBytes(path);
  if (const auto fault = CheckCompiledFile(bytes)) {
    Say(stderr, path, FaultLine(*fault));
    return kFailed;
  }
  Say(stdout, path, "問題はありません。");
  return kSound;
}

// The folder may hold the very source the file came from: nothing in it is
// overwritten, and nothing is left when one of the names is taken or a write
// fails.
void WriteDecompiledFiles(const DecompiledFiles& files, const std::string& folder) {
  std::vector<NamedFile> named = {{files.sourceName, files.source}};
  for (const auto& [name, bmp] : files.bitmaps) {
    named.emplace_back(name, std::string(bmp.begin(), bmp.end()));
  }
  WriteNewFiles(named, folder);
}

int DecompileTo(const std::string& path, const std::string& folder) {
  const FileBytes bytes = ReadFileBytes(path);
  DecompiledFiles files;
  try {
    files = Decompile(bytes, SourceStem(path));
  } catch (const FileFault& fault) {
    Say(stderr, path, "逆コンパイルできません。" + FaultLine(fault));
    return kFailed;
  } catch (const NoSourceFault& fault) {
    Say(stderr, path,
        "どのソースからも作れないファイルなので逆コンパイルしません。" +
            FaultLine(FileFault{fault.offset, fault.text}));
    return kFailed;
  }
  WriteDecompiledFiles(files, folder);
  Say(stdout, PathIn(folder, files.sourceName), "ソースを書きました。");
  return kSound;
}

int Run(int argc, char** argv) {
  if (argc == 2 && argv[1][0] != '-') {
    return Dump(argv[1]);
  }
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
    return Check(argv[2]);
  }
  if (argc == 4 && std::strcmp(argv[1], "--decompile") == 0) {
    return DecompileTo(argv[2], argv[3]);
  }
  return Usage();
}

}  // namespace
}  // namespace zetdump

int main(int argc, char** argv) {
  try {
    return zetdump::Run(argc, argv);
  } catch (const zetreader::FileError& error) {
    zetdump::Say(stderr, error.path, error.text);
  } catch (const zetreader::FileFault& fault) {
    zetdump::Say(stderr, "", zetreader::FaultLine(fault));
  } catch (const std::bad_alloc&) {
    zetdump::Say(stderr, "", "メモリーが足りません。");
  }
  return zetdump::kFailed;
}
