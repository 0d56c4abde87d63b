// The run model's only source of chance, fixed bit for bit so that a file and a
// seed give the same animation on every machine and in both builds.
//
// SplitMix64: state += 0x9E3779B97F4A7C15; z = state;
//   z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9; z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
//   output z ^ (z >> 31). The first state is the seed.
// A chance of P in Q takes one output u: taken when ((u >> 32) * Q) >> 32 < P.
#pragma once

#include <cstdint>

namespace zetstep {

class Chance {
 public:
  explicit Chance(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Whether a branch of probability p / q (1 <= p <= q) is taken; draws once.
  bool Draw(uint32_t p, uint32_t q);

 private:
  uint64_t state_;
};

}  // namespace zetstep
