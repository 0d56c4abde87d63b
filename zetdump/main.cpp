// zetdump: shows, checks and decompiles compiled message files. Every input,
// however damaged, ends in a message and an exit status.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "reader/compiled_file.h"
#include "reader/file_bytes.h"
#include "reader/text_code.h"
#include "version.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"
#include "zetdump/files.h"

namespace zetdump {

using zet::kExitFailure;
using zet::kExitSuccess;
using zet::Say;
using zetreader::CheckCompiledFile;
using zetreader::FaultLine;
using zetreader::FileBytes;
using zetreader::FileError;
using zetreader::FileFault;
using zetreader::ReadFileBytes;

namespace {

const char kUsage[] =
    "使い方:\n"
    "  zetdump ファイル                  内容を表示します\n"
    "  zetdump --check ファイル          読み手が頼るすべてを検査します\n"
    "  zetdump --decompile ファイル フォルダー\n"
    "                                    同じファイルにコンパイルされるソースと BMP を書きます\n"
    "  zetdump --help | --version\n"
    "終了コード: 0 成功 (--check では問題なし)、1 失敗、2 使い方の誤り\n";

void Write(const std::string& text) {
  zet::WriteConsole(stdout, zet::ConsoleText(text));
}

int WrongUse() {
  zet::WriteConsole(stderr, zet::ConsoleText(kUsage));
  return zet::kExitWrongUse;
}

int Dump(const std::string& path) {
  const FileBytes bytes = ReadFileBytes(path);
  std::string text;
  try {
    DumpCompiledFile(bytes, text);
  } catch (const FileFault& fault) {
    Write(text);
    Say(stderr, path, FaultLine(fault));
    return kExitFailure;
  }
  Write(text);
  return kExitSuccess;
}

int Check(const std::string& path) {
  const FileBytes bytes = ReadFileBytes(path);
  if (const auto fault = CheckCompiledFile(bytes)) {
    Say(stderr, path, FaultLine(*fault));
    return kExitFailure;
  }
  Say(stdout, path, "問題はありません。");
  return kExitSuccess;
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
  } catch (const NoSourceFault& fault) {
    Say(stderr, path,
        "どのソースからも作れないファイルなので逆コンパイルしません。" + FaultLine(fault));
    return kExitFailure;
  } catch (const FileFault& fault) {
    Say(stderr, path, "逆コンパイルできません。" + FaultLine(fault));
    return kExitFailure;
  }
  WriteDecompiledFiles(files, folder);
  Say(stdout, PathIn(folder, files.sourceName), "ソースを書きました。");
  return kExitSuccess;
}

int Main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    return zet::ShowUsage(kUsage);
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    return zet::ShowVersion("zetdump " ZETCOMP_VERSION);
  }
  if (argc == 2 && argv[1][0] != '-') {
    return Dump(argv[1]);
  }
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
    return Check(argv[2]);
  }
  if (argc == 4 && std::strcmp(argv[1], "--decompile") == 0) {
    return DecompileTo(argv[2], argv[3]);
  }
  return WrongUse();
}

}  // namespace
}  // namespace zetdump

int main(int argc, char** argv) {
  zet::NameProgram("zetdump");
  try {
    return zet::ExitStatus(zetdump::Main(argc, argv));
  } catch (const zetreader::FileError& error) {
    zet::Say(stderr, error.path, error.text);
  } catch (const zetreader::FileFault& fault) {
    zet::Say(stderr, "", zetreader::FaultLine(fault));
  } catch (const std::bad_alloc&) {
    zet::Say(stderr, "", "メモリーが足りません。");
  }
  return zet::ExitStatus(zet::kExitFailure);
}
