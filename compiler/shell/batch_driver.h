// Start-up of the compiler program: options, the choice of mode, the per-file
// loop and the one failure region that turns the first failure into a line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zet {

struct CommandOptions {
  bool install = false;
  bool uninstall = false;
};

enum class RunMode { Install, Uninstall, Compile };

// What each mode does, passed in so that the driver runs without a platform.
struct ModeOperations {
  std::function<void()> installShell;
  std::function<void()> uninstallShell;
  std::function<void(const char* path)> compileSourceFile;
  std::function<std::string(uint32_t code)> systemMessage;
};

// An argument that starts with "-" or "/" is an option, whatever follows.
bool IsOptionArgument(const char* argument);
// Sets the flags named by "-install"/"-uninstall" (or with "/"); ignores the rest.
void ParseOptions(int count, char* const* arguments, CommandOptions& options);
RunMode ChooseRunMode(const CommandOptions& options);
void CompileAll(int count, char* const* arguments, const ModeOperations& operations);

// Parses, runs one mode and logs at most one failure line. Returns whether a
// failure ended the work.
bool RunBatch(int count, char* const* arguments, const ModeOperations& operations);

}  // namespace zet
