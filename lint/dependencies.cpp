#include "lint/dependencies.h"

#include <algorithm>

#include "compiler/source/source_file.h"
#include "platform/shift_jis.h"

namespace zetlint {
namespace {

// Full, with "/" between parts on every system: make and Ninja read both.
std::string DependencyPath(const std::string& path) {
  return zet::ToPosixPath(zet::FullPathOf(path.c_str()).c_str());
}

}  // namespace

std::vector<std::string> Dependencies(const SourceReport& report) {
  std::vector<std::string> paths = {zet::ToPosixPath(report.fullPath.c_str())};
  for (const std::string& bitmap : report.bitmaps) {
    const std::string path = DependencyPath(bitmap);
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
      paths.push_back(path);
    }
  }
  return paths;
}

std::string OutputTarget(const SourceReport& report) {
  return DependencyPath(report.output);
}

// As gcc writes them: backslashes before a space are doubled, so that make
// reads them back as they were.
std::string MakeEscaped(const std::string& path) {
  std::string escaped;
  size_t backslashes = 0;
  for (const char c : path) {
    if (c == ' ' || c == '\t') {
      escaped.append(backslashes + 1, '\\');
    } else if (c == '#') {
      escaped += '\\';
    } else if (c == '$') {
      escaped += '$';
    }
    backslashes = c == '\\' ? backslashes + 1 : 0;
    escaped += c;
  }
  return escaped;
}

const std::string* PathNoDepfileHolds(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (path.find_first_of("\r\n") != std::string::npos || path.empty()) {
      return &path;
    }
  }
  return nullptr;
}

std::string DepfileText(const std::string& target, const std::vector<std::string>& paths) {
  std::string text = MakeEscaped(target) + ":";
  for (const std::string& path : paths) {
    text += " \\\n " + MakeEscaped(path);
  }
  text += "\n";
  for (size_t i = 1; i < paths.size(); ++i) {
    text += "\n" + MakeEscaped(paths[i]) + ":\n";
  }
  return text;
}

}  // namespace zetlint
