#include "stepper/chance.h"

namespace zetstep {

uint64_t Chance::Next() {
  state_ += 0x9E3779B97F4A7C15u;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

// The top 32 bits scaled to [0, q): no division, and the same on every
// compiler, unlike the standard library's distributions.
bool Chance::Draw(uint32_t p, uint32_t q) {
  const uint64_t u = Next() >> 32;
  return ((u * q) >> 32) < p;
}

}  // namespace zetstep
