#include "platform/console.h"

namespace zet {

std::string ConsoleText(const std::string& shiftJis) {
  return shiftJis;
}

}  // namespace zet
