// Fixed store of one message kind's frame code (little-endian operands).
#pragma once

#include <cstdint>

#include "compiler/frames/frame_code.h"

namespace zet {

constexpr uint32_t kCodeBufferCapacity = kMaxFrameCodeSize;

class CodeBuffer {
 public:
  CodeBuffer() { Clear(); }
  // Copies only the used bytes.
  CodeBuffer(const CodeBuffer& other) { CopyFrom(other); }
  CodeBuffer& operator=(const CodeBuffer& other) {
    CopyFrom(other);
    return *this;
  }

  void Clear() { length_ = 0; }
  void CopyFrom(const CodeBuffer& other);
  // Returns the position of the first appended byte; raises
  // AniCodeSizeTooLarge (buffer unchanged) past kCodeBufferCapacity bytes.
  uint16_t Append(const void* source, uint32_t n);
  // Overwrites a 16-bit operand already in the buffer.
  void Patch16(uint32_t position, uint16_t value);

  uint32_t Length() const { return length_; }
  const uint8_t* Bytes() const { return bytes_; }

 private:
  uint32_t length_;
  uint8_t bytes_[kCodeBufferCapacity];
};

}  // namespace zet
