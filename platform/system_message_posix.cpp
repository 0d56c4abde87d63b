#include "platform/system_message.h"
#include "platform/win32_error.h"

namespace zet {

std::string SystemMessage(uint32_t code) {
  switch (code) {
#define ZET_MESSAGE_CASE(name, code, text) \
  case code:                               \
    return text;
    ZET_WIN32_ERRORS(ZET_MESSAGE_CASE)
#undef ZET_MESSAGE_CASE
    default:
      return std::string();
  }
}

}  // namespace zet
