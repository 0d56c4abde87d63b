// One source file through the lint: every diagnostic the source gives, and
// what a build needs to know of it.
#pragma once

#include <string>
#include <vector>

#include "lint/diagnostic.h"

namespace zetlint {

struct SourceReport {
  std::string path;                     // as given
  std::vector<Diagnostic> diagnostics;  // in the order of their places
  bool read = false;                    // the source exists and was read
  std::string fullPath;                 // of the source, once read
  std::string output;                   // OUTPUT as the compiler reads it; may be empty
  std::vector<std::string> bitmaps;     // as the compiler opens them, each path once
};

SourceReport LintSource(const char* path);

}  // namespace zetlint
