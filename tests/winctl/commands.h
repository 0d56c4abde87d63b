// winctl's commands: each takes its fields (escapes already decoded) and returns the
// lines of its answer; a failure is thrown as a std::string.
#pragma once

#include <string>
#include <vector>

namespace zet::winctl {

using Fields = std::vector<std::string>;
using Lines = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;      // the arguments, for the help text
  size_t argumentCount;  // at least this many
  Lines (*run)(const Fields& arguments);
};

const std::vector<Command>& QueryCommands();
const std::vector<Command>& ActionCommands();

// Runs `fields[0]` with the rest as its arguments.
Lines RunCommand(const Fields& fields);

// One line per command.
Lines Usage();

}  // namespace zet::winctl
