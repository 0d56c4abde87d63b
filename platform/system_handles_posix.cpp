#include <iconv.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/system_handles.h"

namespace zet {

MappedRegion ViewTraits::Invalid() noexcept {
  return MappedRegion{};
}
void ViewTraits::Close(MappedRegion value) noexcept {
  munmap(const_cast<uint8_t*>(value.base), value.length);
}

int DescriptorTraits::Invalid() noexcept {
  return -1;
}
void DescriptorTraits::Close(int value) noexcept {
  close(value);
}

void* IconvTraits::Invalid() noexcept {
  return reinterpret_cast<void*>(iconv_t(-1));
}
void IconvTraits::Close(void* value) noexcept {
  iconv_close(static_cast<iconv_t>(value));
}

}  // namespace zet
