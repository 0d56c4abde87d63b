// Start-up of the compiler program: options, the choice of mode, the per-file
// loop and the one failure region that turns the first failure into a line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zet {

// What each mode does, passed in so that the driver runs without a platform.
struct ModeOperations {
  std::function<void()> installShell;
  std::function<void()> uninstallShell;
  std::function<void(const char* path)> compileSourceFile;
  std::function<std::string(uint32_t code)> systemMessage;
  // Linux: "/" starts a path, and only "/install" and "/uninstall" are
  // options; on Windows every argument that starts with "/" is an option.
  bool slashStartsPaths = false;
};

// Whether `argument` is an option under the rules of `operations`.
bool IsOptionArgument(const char* argument, const ModeOperations& operations);

// Parses, runs one mode and logs at most one failure line. Returns whether a
// failure ended the work.
bool RunBatch(int count, char* const* arguments, const ModeOperations& operations);

}  // namespace zet
