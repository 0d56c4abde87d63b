// zetlint on a generated source with generated files in a folder of its own:
// every diagnostic stands on a line of the source and is one line of text,
// both reports are well formed, no descriptor stays open, and the lint errs
// exactly where the compiler fails: a compile that fails names a failure
// the lint reports, and one that succeeds leaves the lint with no error of
// the compiler's.
//
// Input: the source text, then any number of files, each after a line
// "@@ NAME" ("...\n@@ bmp/a.bmp\n<bytes>"), NAME a plain file name in the
// folder or in its subfolder bmp/. The compiler runs only when the source's
// OUTPUT is a plain name in the folder: it writes where the source says.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compile_source.h"
#include "fuzz/fuzz_support.h"
#include "lint/dependencies.h"
#include "lint/report.h"
#include "lint/source_lint.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

using zetlint::Diagnostic;
using zetlint::SourceReport;

constexpr char kSourceName[] = "source.zts";
constexpr char kFileMarker[] = "\n@@ ";
constexpr size_t kMostFiles = 8;
constexpr size_t kLongestName = 32;

bool IsPlainName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName || name[0] == '.' || name[0] == '-' ||
      name == "bmp") {
    return false;
  }
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '-';
  });
}

bool IsOwnPath(const std::string& path) {
  const size_t slash = path.find_first_of("/\\");
  return slash == std::string::npos
             ? IsPlainName(path)
             : path.compare(0, slash, "bmp") == 0 && IsPlainName(path.substr(slash + 1));
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::string posix = path;
  std::replace(posix.begin(), posix.end(), '\\', '/');
  FILE* file = fopen(posix.c_str(), "wb");
  if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    FuzzFailure("cannot write an input file", path);
  }
  fclose(file);
}

// The source, then its files.
void WriteInput(const std::string& bytes) {
  size_t at = bytes.find(kFileMarker);
  WriteFile(kSourceName, bytes.substr(0, at));
  for (size_t files = 0; at != std::string::npos && files < kMostFiles; ++files) {
    const size_t nameBegin = at + sizeof kFileMarker - 1;
    const size_t nameEnd = bytes.find('\n', nameBegin);
    if (nameEnd == std::string::npos) {
      return;
    }
    at = bytes.find(kFileMarker, nameEnd);
    const std::string name = bytes.substr(nameBegin, nameEnd - nameBegin);
    if (IsOwnPath(name) && name != kSourceName) {
      WriteFile(name, bytes.substr(nameEnd + 1, at - nameEnd - 1));
    }
  }
}

void EmptyFolder(const char* folder) {
  if (DIR* dir = opendir(folder)) {
    while (const dirent* entry = readdir(dir)) {
      const std::string path = std::string(folder) + "/" + entry->d_name;
      struct stat status;
      if (lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
        unlink(path.c_str());
      }
    }
    closedir(dir);
  }
}

void MakeWorkFolder() {
  const char* base = getenv("TMPDIR");
  static std::string path = std::string(base != nullptr ? base : "/tmp") + "/zet-lint-XXXXXX";
  if (mkdtemp(path.data()) == nullptr || chdir(path.c_str()) != 0) {
    FuzzFailure("cannot make the work folder", path);
  }
  mkdir("bmp", 0777);
  atexit([] {
    if (chdir(path.c_str()) == 0) {
      EmptyFolder(".");
      EmptyFolder("bmp");
      rmdir("bmp");
      rmdir(path.c_str());
    }
  });
}

uint32_t LineCount(const std::string& text) {
  uint32_t lines = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  }
  return lines;
}

void CheckDiagnostics(const SourceReport& report, uint32_t lines) {
  for (const Diagnostic& d : report.diagnostics) {
    if (d.place.line > lines ||
        (d.place.line != 0 && (d.place.column == 0 || d.place.character == 0))) {
      FuzzFailure(
          "a diagnostic outside the source",
          std::to_string(d.place.line) + ":" + std::to_string(d.place.column) + " " + d.text);
    }
    if (d.text.empty() || d.text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
      FuzzFailure("a diagnostic that is not one line of text", d.text);
    }
  }
}

// Printable ASCII and UTF-8 only: every control byte escaped.
void CheckSarif(const std::string& sarif) {
  for (const char c : sarif) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n') {
      FuzzFailure("a control byte in the SARIF report", sarif);
    }
  }
  if (std::count(sarif.begin(), sarif.end(), '"') % 2 != 0 &&
      sarif.find("\\\"") == std::string::npos) {
    FuzzFailure("an unbalanced quote in the SARIF report", sarif);
  }
}

std::vector<std::string> CompilerTexts(const SourceReport& report) {
  std::vector<std::string> texts;
  for (const Diagnostic& d : report.diagnostics) {
    if (d.check != zetlint::Check::Compile || d.severity != zetlint::Severity::Error) {
      continue;
    }
    if (d.tag.empty()) {
      texts.push_back(d.text + "\r\n");
    }
    for (size_t begin = 0; !d.tag.empty() && begin <= d.tag.size();) {
      const size_t end = std::min(d.tag.find(',', begin), d.tag.size());
      texts.push_back(KindErrorMessage(d.tag.substr(begin, end - begin).c_str(), d.text + "\r\n"));
      begin = end + 1;
    }
  }
  return texts;
}

// The compiler's verdict on the same files, when it writes inside the folder.
void CompareWithCompiler(const SourceReport& report) {
  if (!IsPlainName(report.output)) {
    return;
  }
  std::string failure;
  try {
    CompileSourceFile(kSourceName);
  } catch (const std::string& message) {
    failure = message;
  } catch (const Win32Error&) {
    return;  // writing the output failed: the lint writes none
  }
  const std::vector<std::string> texts = CompilerTexts(report);
  if (failure.empty() && !texts.empty()) {
    FuzzFailure("the lint reports a failure where the compiler compiles", texts.front());
  }
  if (!failure.empty() && std::find(texts.begin(), texts.end(), failure) == texts.end()) {
    FuzzFailure("the lint misses the compiler's failure", failure);
  }
}

void Run(const std::string& bytes) {
  WriteInput(bytes);
  const int descriptors = OpenDescriptorCount();
  const SourceReport report = zetlint::LintSource(kSourceName);
  if (OpenDescriptorCount() != descriptors) {
    FuzzFailure("the lint left a descriptor open");
  }
  CheckDiagnostics(report, LineCount(bytes.substr(0, bytes.find(kFileMarker))));
  const zetlint::LintOptions options;
  zetlint::GccReport({report}, options);
  CheckSarif(zetlint::SarifReport({report}, options));
  const std::vector<std::string> paths = zetlint::Dependencies(report);
  if (zetlint::PathNoDepfileHolds(paths) == nullptr) {
    zetlint::DepfileText("target", paths);
  }
  CompareWithCompiler(report);
}

}  // namespace
}  // namespace zet

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool made = (zet::MakeWorkFolder(), true);
  (void)made;
  zet::EmptyFolder(".");
  zet::EmptyFolder("bmp");
  zet::Run(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
