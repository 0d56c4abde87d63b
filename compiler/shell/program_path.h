// The compiler program's own path and the files expected beside it (the help
// file, the new-file template).
#pragma once

#include <cstddef>
#include <string>

namespace zet {

// The full path of the running program, read into a buffer of `bufferSize`
// bytes as the system gives it; empty when the system cannot say.
std::string ProgramPath(size_t bufferSize);

// `path` up to and including its last "\" or "/", followed by `fileName`;
// `fileName` alone when `path` has no separator. Walks the path with the
// system's character step, so that a trail byte 0x5C never counts.
std::string BesidePath(const std::string& path, const char* fileName);

}  // namespace zet
