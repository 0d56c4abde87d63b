#include "compiler/frames/code_buffer.h"

#include <cstring>

#include "compiler/frames/ani_error.h"
#include "platform/little_endian.h"

namespace zet {

void CodeBuffer::CopyFrom(const CodeBuffer& other) {
  if (&other == this) {
    return;
  }
  length_ = other.length_;
  memcpy(bytes_, other.bytes_, length_);
}

uint16_t CodeBuffer::Append(const void* source, uint32_t n) {
  // Compared against the room left rather than as length + n, which a huge n
  // would wrap past the check.
  if (n > kCodeBufferCapacity - length_) {
    throw AniCodeSizeTooLarge();
  }
  const uint32_t position = length_;
  if (n > 0) {
    memcpy(bytes_ + position, source, n);
  }
  length_ += n;
  return static_cast<uint16_t>(position);
}

void CodeBuffer::Patch16(uint32_t position, uint16_t value) {
  // Operands always stand inside the code; anything else is not ours to write.
  if (length_ < 2 || position > length_ - 2) {
    return;
  }
  PutLe16(bytes_ + position, value);
}

}  // namespace zet
