#include <string>

#include "platform/system_message.h"

namespace zet {

std::string SystemMessageLine(uint32_t code) {
  std::string text = SystemMessage(code);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
    text.pop_back();
  }
  return text.empty() ? "(" + std::to_string(code) + ")" : text;
}

}  // namespace zet
