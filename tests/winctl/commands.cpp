#include "tests/winctl/commands.h"

namespace zet::winctl {
namespace {

const Command* FindCommand(const std::string& name) {
  for (const auto* list : {&QueryCommands(), &ActionCommands()}) {
    for (const Command& command : *list) {
      if (name == command.name) {
        return &command;
      }
    }
  }
  return nullptr;
}

}  // namespace

Lines RunCommand(const Fields& fields) {
  if (fields.empty()) {
    return {};
  }
  const Command* command = FindCommand(fields[0]);
  if (command == nullptr) {
    throw std::string("unknown command \"" + fields[0] + "\"");
  }
  const Fields arguments(fields.begin() + 1, fields.end());
  if (arguments.size() < command->argumentCount) {
    throw std::string("usage: " + fields[0] + " " + command->usage);
  }
  return command->run(arguments);
}

Lines Usage() {
  Lines lines;
  for (const auto* list : {&QueryCommands(), &ActionCommands()}) {
    for (const Command& command : *list) {
      lines.push_back(std::string(command.name) + " " + command.usage);
    }
  }
  return lines;
}

}  // namespace zet::winctl
