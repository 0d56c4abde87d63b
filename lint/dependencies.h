// What a compiled file depends on, for build systems: the source and every
// bitmap it names, as full paths, and a Makefile depfile of them.
#pragma once

#include <string>
#include <vector>

#include "lint/source_lint.h"

namespace zetlint {

// The source first, then each bitmap once; "/" between path parts. Throws
// Win32Error when a path has no full form.
std::vector<std::string> Dependencies(const SourceReport& report);

// The full path of the compiled file the compiler would write.
std::string OutputTarget(const SourceReport& report);

// The first of `paths` that no depfile can hold (empty, or with a line break
// in it); nullptr when there is none.
const std::string* PathNoDepfileHolds(const std::vector<std::string>& paths);

// "target: source bitmap...", then an empty rule for each bitmap so that a
// bitmap the source no longer names breaks no build (gcc's -MP); for paths
// that PathNoDepfileHolds passes.
std::string DepfileText(const std::string& target, const std::vector<std::string>& paths);

// Spaces, "#" and "$" escaped as make reads them.
std::string MakeEscaped(const std::string& path);

}  // namespace zetlint
