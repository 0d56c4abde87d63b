// Splits one fuzzer input into the values a harness needs. Reads past the
// end give zeros and empty strings, so every input is usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zet {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t U16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  // The next `count` bytes, fewer at the end.
  std::string Bytes(size_t count) {
    const size_t taken = count < size_ - pos_ ? count : size_ - pos_;
    const std::string bytes(reinterpret_cast<const char*>(data_ + pos_), taken);
    pos_ += taken;
    return bytes;
  }
  std::string Rest() { return Bytes(size_ - pos_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace zet
