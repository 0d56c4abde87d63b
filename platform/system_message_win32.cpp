#include <windows.h>

#include "platform/system_handles.h"
#include "platform/system_message.h"

namespace zet {
std::string SystemMessage(uint32_t code) {
  UniqueLocalText text;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
      reinterpret_cast<char*>(text.Receiver()), 0, nullptr);
  if (length == 0 || text.Get() == nullptr) {
    return std::string();
  }
  return std::string(text.Get(), length);
}

}  // namespace zet
