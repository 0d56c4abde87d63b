#include <windows.h>

#include "compiler/common/system_message.h"

namespace zet {
namespace {

// Owns a buffer that FormatMessageA allocated.
class LocalText {
 public:
  LocalText() = default;
  ~LocalText() {
    if (text_ != nullptr) {
      LocalFree(text_);
    }
  }
  LocalText(const LocalText&) = delete;
  LocalText& operator=(const LocalText&) = delete;

  char** Receiver() { return &text_; }
  const char* Get() const { return text_; }

 private:
  char* text_ = nullptr;
};

}  // namespace

std::string SystemMessage(uint32_t code) {
  LocalText text;
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
