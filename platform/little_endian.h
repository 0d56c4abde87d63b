// Little-endian integers, as every file of the kit stores them: the compiled
// file, its frame code, BMP headers and pixels, UTF-16LE text.
#pragma once

#include <cstdint>

namespace zet {

constexpr uint16_t ReadLe16(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | at[1] << 8);
}

constexpr uint32_t ReadLe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

inline void PutLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

inline void PutLe32(uint8_t* at, uint32_t value) {
  PutLe16(at, static_cast<uint16_t>(value));
  PutLe16(at + 2, static_cast<uint16_t>(value >> 16));
}

// Appends to a byte container: std::vector<uint8_t> or std::string.
template <class Bytes>
void AppendLe16(Bytes& out, uint16_t value) {
  using Byte = typename Bytes::value_type;
  out.push_back(static_cast<Byte>(value & 0xFF));
  out.push_back(static_cast<Byte>(value >> 8));
}

}  // namespace zet
