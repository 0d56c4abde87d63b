// Hostile files are the normal case: random damage to well-formed files must end
// in a fault or in a result, never in a crash or a read outside the file
// (the sanitize build watches the reads), and the three uses must agree.
// ZET_FUZZ_ITERATIONS runs it longer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "reader/compiled_file.h"
#include "reader/layout.h"
#include "reader/test_content.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"

namespace zetdump {

using zetreader::CheckCompiledFile;
using zetreader::DamageBase;
using zetreader::FileBytes;
using zetreader::FileFault;
using zetreader::LayOutCompiledFile;
using zetreader::PutU32;
using zetreader::RichFile;
using zetreader::WorkedLayout;

namespace {

int Iterations() {
  const char* text = std::getenv("ZET_FUZZ_ITERATIONS");
  return text != nullptr ? std::atoi(text) : 3000;
}

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : random_(seed) {}

  void Mutate(std::vector<uint8_t>& bytes) {
    const int count = Pick(1, 3);
    for (int i = 0; i < count && !bytes.empty(); ++i) {
      MutateOnce(bytes);
    }
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  uint32_t Interesting(uint32_t size) {
    const uint32_t values[] = {0,          1,          3,        219,        220,
                               size,       size - 1,   size + 1, 0x7FFFFFFF, 0x80000000,
                               0xFFFFFFFF, 0xFFFFFFFE, 0x10000,  256,        40};
    return Pick(0, 3) == 0 ? random_() % (size + 16) : values[Pick(0, std::size(values) - 1)];
  }

  void MutateOnce(std::vector<uint8_t>& bytes) {
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    switch (Pick(0, 5)) {
      case 0:
        bytes[random_() % size] = static_cast<uint8_t>(random_());
        break;
      case 1:
        if (size >= 220) {
          PutU32(bytes, 4 * static_cast<uint32_t>(Pick(1, 54)), Interesting(size));
        }
        break;
      case 2: {
        const uint32_t at = random_() % size;
        const uint32_t value = Interesting(size);
        for (uint32_t i = 0; i < 2 && at + i < size; ++i) {
          bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        break;
      }
      case 3:
        bytes.resize(random_() % size);
        break;
      case 4:
        bytes.resize(size + static_cast<uint32_t>(Pick(1, 64)), static_cast<uint8_t>(random_()));
        break;
      default:
        if (size >= 4) {
          PutU32(bytes, random_() % (size - 3), Interesting(size));
        }
        break;
    }
  }

  std::mt19937 random_;
};

TEST(FuzzTest, RandomDamageEndsInAFaultOrAResultThatTheUsesAgreeOn) {
  const std::vector<uint8_t> seeds[] = {LayOutCompiledFile(WorkedLayout()),
                                        LayOutCompiledFile(DamageBase()),
                                        LayOutCompiledFile(RichFile())};
  Mutator mutator(20240601);
  int wellFormed = 0;
  for (int i = 0; i < Iterations(); ++i) {
    std::vector<uint8_t> bytes = seeds[i % std::size(seeds)];
    mutator.Mutate(bytes);
    const FileBytes file(bytes);
    const std::optional<FileFault> fault = CheckCompiledFile(file);
    std::string text;
    try {
      DumpCompiledFile(file, text);
      EXPECT_FALSE(fault) << "dumped a file that fails its check, run " << i;
    } catch (const FileFault& dumpFault) {
      ASSERT_TRUE(fault) << "dump failed on a well-formed file, run " << i;
      EXPECT_EQ(dumpFault.offset, fault->offset) << i;
    }
    try {
      Decompile(file, "fuzz");
      EXPECT_FALSE(fault) << i;
      ++wellFormed;
    } catch (const NoSourceFault&) {
      EXPECT_FALSE(fault) << i;
    } catch (const FileFault& decompileFault) {
      ASSERT_TRUE(fault) << i;
      EXPECT_EQ(decompileFault.text, fault->text) << i;
    }
  }
  // The damage must leave some files well-formed, or the decompiler is not reached.
  EXPECT_GT(wellFormed, 0);
}

}  // namespace
}  // namespace zetdump
