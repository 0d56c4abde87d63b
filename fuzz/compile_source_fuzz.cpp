// The whole compile of one source, CompileSourceFile, on a generated source
// with generated files in a folder of its own. It either writes a compiled
// file that zetdump --check finds well-formed (and that, decompiled and compiled
// again, comes back byte for byte), or fails with a message; a failure leaves
// no output and no temporary file, and no run leaves a descriptor open.
//
// Input: the source text, then any number of files, each after a line
// "@@ NAME": "...\n@@ bmp/a.bmp\n<bytes>". NAME is a plain file name in the
// folder or in its subfolder bmp/ or out/. Sources whose output lies
// elsewhere are skipped: the compiler writes where the source says.
//
// The harness works in its folder as the current folder: give libFuzzer
// absolute paths for corpora and artifacts.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compile_source.h"
#include "compiler/source/message_kind.h"
#include "compiler/source/source_file.h"
#include "fuzz/fuzz_support.h"
#include "platform/win32_error.h"
#include "reader/compiled_file.h"
#include "zetdump/decompiler.h"

namespace zet {
namespace {

constexpr char kSourceName[] = "source.zts";
constexpr char kFileMarker[] = "\n@@ ";
constexpr size_t kMostFiles = 8;
constexpr size_t kLongestName = 32;
const char* const kSubfolders[] = {"bmp", "out", "again"};
constexpr char kAgainFolder[] = "again";

using NamedFile = std::pair<std::string, std::string>;

struct Input {
  std::string source;
  std::vector<NamedFile> files;
};

bool IsNameByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '-';
}

bool IsPlainName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName || name[0] == '.' || name[0] == '-') {
    return false;
  }
  for (const char c : name) {
    if (!IsNameByte(c)) {
      return false;
    }
  }
  return true;
}

// "name", "bmp/name" or "out/name", with either separator; never the
// folder of the round trip.
bool IsOwnPath(std::string path) {
  for (char& c : path) {
    c = c == '\\' ? '/' : c;
  }
  const size_t slash = path.find('/');
  if (slash == std::string::npos) {
    return IsPlainName(path) && path != "bmp" && path != "out" && path != kAgainFolder;
  }
  const std::string folder = path.substr(0, slash);
  return (folder == "bmp" || folder == "out") && IsPlainName(path.substr(slash + 1));
}

Input Split(const std::string& bytes) {
  Input input;
  size_t at = bytes.find(kFileMarker);
  input.source = bytes.substr(0, at);
  while (at != std::string::npos && input.files.size() < kMostFiles) {
    const size_t nameBegin = at + sizeof kFileMarker - 1;
    const size_t nameEnd = bytes.find('\n', nameBegin);
    if (nameEnd == std::string::npos) {
      break;
    }
    at = bytes.find(kFileMarker, nameEnd);
    std::string name = bytes.substr(nameBegin, nameEnd - nameBegin);
    if (IsOwnPath(name) && name != kSourceName) {
      input.files.emplace_back(name, bytes.substr(nameEnd + 1, at - nameEnd - 1));
    }
  }
  return input;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    FuzzFailure("cannot write an input file", path);
  }
  fclose(file);
}

std::optional<std::string> ReadFile(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return std::nullopt;
  }
  std::string bytes;
  char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.append(chunk, got);
  }
  fclose(file);
  return bytes;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    FuzzFailure("cannot list the work folder", folder);
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat status;
    if (lstat((folder + "/" + name).c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
      names.push_back(name);
    }
  }
  closedir(dir);
  return names;
}

void EmptyWorkFolders() {
  for (const char* folder : {".", "bmp", "out", "again"}) {
    for (const std::string& name : FilesIn(folder)) {
      unlink((std::string(folder) + "/" + name).c_str());
    }
  }
}

// The folder the harness works in: made once, emptied before each input and
// removed at exit.
class WorkFolder {
 public:
  WorkFolder() {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/zet-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
      FuzzFailure("cannot make the work folder", pattern);
    }
    for (const char* sub : kSubfolders) {
      mkdir(sub, 0777);
    }
    static const std::string path = pattern;
    atexit([] {
      if (chdir(path.c_str()) == 0) {
        EmptyWorkFolders();
        for (const char* sub : kSubfolders) {
          rmdir(sub);
        }
        rmdir(path.c_str());
      }
    });
  }

  void Clear() const { EmptyWorkFolders(); }

  // Any temporary file of an output that was not cleaned away.
  void CheckNoTemporaryFiles() const {
    for (const char* folder : {".", "bmp", "out", "again"}) {
      for (const std::string& name : FilesIn(folder)) {
        if (name.find(".~") != std::string::npos) {
          FuzzFailure("a temporary output file stayed behind", name);
        }
      }
    }
  }
};

// The output path as the compiler will read it, when it names a file of ours.
std::optional<std::string> OwnOutputPath() {
  const SourceFile source(ResolveFullPath(kSourceName));
  std::string output = SourceSection(source, "basis").ReadString("output");
  if (!IsOwnPath(output)) {
    return std::nullopt;
  }
  for (char& c : output) {
    c = c == '\\' ? '/' : c;
  }
  return output;
}

void CheckFailure(const std::string& message) {
  CheckFailureText(message);
  for (const char* name : kMessageKindNames) {
    if (message == KindErrorMessage(name, "")) {
      FuzzFailure("a kind failure without its reason", message);
    }
  }
}

// Compiles in the current folder; false with the failure checked.
bool Compile(const char* source) {
  try {
    CompileSourceFile(source);
    return true;
  } catch (const std::string& message) {
    CheckFailure(message);
  } catch (const Win32Error& error) {
    CheckSystemCode(error.code);
  }
  return false;
}

// Decompiled and compiled again, a well-formed file comes back byte for byte.
void CheckRoundTrip(const std::string& compiled) {
  zetdump::DecompiledFiles files;
  try {
    files = zetdump::Decompile(
        zetreader::FileBytes(std::vector<uint8_t>(compiled.begin(), compiled.end())), "again");
  } catch (const zetdump::NoSourceFault&) {
    return;  // a text that Shift-JIS cannot carry back, and the like
  }
  for (const auto& [name, bmp] : files.bitmaps) {
    WriteFile(std::string(kAgainFolder) + "/" + name, std::string(bmp.begin(), bmp.end()));
  }
  WriteFile(std::string(kAgainFolder) + "/" + files.sourceName, files.source);
  if (chdir(kAgainFolder) != 0) {
    FuzzFailure("cannot enter the round-trip folder");
  }
  const bool compiledAgain = Compile(files.sourceName.c_str());
  const std::optional<std::string> again = ReadFile("again.ztr");
  if (chdir("..") != 0) {
    FuzzFailure("cannot leave the round-trip folder");
  }
  if (!compiledAgain || again != compiled) {
    FuzzFailure("the decompiled source does not compile to the same file", files.source);
  }
}

void CheckOutput(const std::string& output, bool compiled,
                 const std::optional<std::string>& before) {
  const std::optional<std::string> after = ReadFile(output);
  if (!compiled) {
    if (after != before) {
      FuzzFailure("a failed compile changed its output", output);
    }
    return;
  }
  if (!after) {
    FuzzFailure("a compile succeeded without its output", output);
  }
  const zetreader::FileBytes bytes(std::vector<uint8_t>(after->begin(), after->end()));
  if (const std::optional<zetreader::FileFault> fault = zetreader::CheckCompiledFile(bytes)) {
    FuzzFailure("the compiled file fails zetdump --check", zetreader::FaultLine(*fault));
  }
  CheckRoundTrip(*after);
}

void Run(const Input& input) {
  WriteFile(kSourceName, input.source);
  for (const NamedFile& file : input.files) {
    WriteFile(file.first, file.second);
  }
  const std::optional<std::string> output = OwnOutputPath();
  if (!output) {
    return;
  }
  const std::optional<std::string> before = ReadFile(*output);
  const int descriptors = OpenDescriptorCount();
  const bool compiled = Compile(kSourceName);
  if (OpenDescriptorCount() != descriptors) {
    FuzzFailure("a compile left a descriptor open");
  }
  CheckOutput(*output, compiled, before);
}

}  // namespace
}  // namespace zet

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const zet::WorkFolder* const folder = new zet::WorkFolder;
  folder->Clear();
  zet::Run(zet::Split(std::string(reinterpret_cast<const char*>(data), size)));
  folder->CheckNoTemporaryFiles();
  return 0;
}
