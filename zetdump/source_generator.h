// Random valid sources for the round trip: frames programs built from the
// grammar with the frame code each must compile to (worked out here, apart
// from the compiler), texts that need quoting, and BMP strips.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace zetdump {

struct GeneratedSource {
  std::string source;                                                 // Shift-JIS, CR LF
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bitmaps;  // name, BMP file
  std::vector<uint8_t> code[5];  // what each kind must compile to
};

// A source whose compiled file is "out.ztr".
GeneratedSource GenerateSource(std::mt19937& random);

}  // namespace zetdump
