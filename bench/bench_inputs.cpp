#include "bench/bench_inputs.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/bmp_file.h"

namespace zet {
namespace {

std::string N(int value) {
  return std::to_string(value);
}

const char* const kKinds[] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"};

}  // namespace

std::string BenchBitmap(int width, int height, int seed) {
  const BmpPattern pattern{[](uint32_t) { return uint8_t{0}; },
                           [seed](uint32_t offset, uint32_t) {
                             return static_cast<uint8_t>(offset * 7 + static_cast<uint32_t>(seed));
                           }};
  return BmpFile(width, height, 24, 0, pattern);
}

void WriteBenchFile(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    fprintf(stderr, "cannot write %s\n", path.c_str());
    exit(2);
  }
  fclose(file);
}

// 5,000 frame statements (15,000 bytes of code, under the 16,384 limit) and
// 5,000 empty statements, with a label and a jump to it.
void WriteFramesSource() {
  WriteBenchFile("frames.bmp", BenchBitmap(1024, 64, 0));
  std::string source = "[basis]\r\nversion=11\r\noutput=frames.ztr\r\nBITMAP=frames.bmp\r\n";
  source += "FRAMEHEIGHT=16\r\n";
  constexpr int kLines = 10000;
  for (int n = 1; n <= kLines; ++n) {
    std::string line = n == 1 ? "top: 0;" : n % 2 == 0 ? ";;" : N(n % 4) + ";";
    if (n == kLines) {
      line = "goto top;";
    }
    source += "FRAMES" + N(n) + "=" + line + "\r\n";
  }
  WriteBenchFile("frames.zts", source);
}

LargeSource WriteLargeSource(const std::string& stem, size_t bytes) {
  WriteBenchFile(stem + ".bmp", BenchBitmap(32, 64, 1));
  std::string source =
      "[basis]\r\nversion=11\r\noutput=" + stem + ".ztr\r\nBITMAP=" + stem + ".bmp\r\n";
  source.reserve(bytes + 64);
  int n = 0;
  while (source.size() < bytes) {
    ++n;
    source += "FRAMES" + N(n) + "=;;\r\n";
    source += "unread" + N(n) + "=" + N(n * 7) + "\r\n";
    source += "; comment " + N(n) + "\r\n";
  }
  WriteBenchFile(stem + ".zts", source);
  return {source.size(), n};
}

void WriteBitmapsSource(const std::string& stem, int height) {
  std::string source = "[basis]\r\nversion=11\r\noutput=" + stem + ".ztr\r\nFRAMEHEIGHT=15\r\n";
  for (int k = 0; k < 5; ++k) {
    const std::string name = stem + N(k) + ".bmp";
    WriteBenchFile(name, BenchBitmap(1024, height, k));
    source += std::string("[") + kKinds[k] + "]\r\nBITMAP=" + name + "\r\n";
  }
  WriteBenchFile(stem + ".zts", source);
}

void WriteSmallSources(int count) {
  WriteBenchFile("small.bmp", BenchBitmap(32, 128, 3));
  for (int i = 0; i < count; ++i) {
    std::string source = "; small source " + N(i) + "\r\n[basis]\r\nversion=11\r\n";
    source += "output=small" + N(i) + ".ztr\r\ncomment=benchmark source " + N(i) + "\r\n";
    source += "username=bench\r\nBITMAP=small.bmp\r\nFRAMEHEIGHT=32\r\nFRAMETIME=100\r\n";
    source += "MESSAGE=Processing goes on.\r\nFRAMES1=start: 0; 1; 2;\r\nFRAMES2=goto start;\r\n";
    source += "\r\n[BUTTONS]\r\nOK=OK\r\nCANCEL=Cancel\r\nYES=Yes\r\nNO=No\r\nHELP=Help\r\n";
    for (const char* kind : kKinds) {
      source += std::string("\r\n[") + kind + "]\r\nSUFFIX=(" + kind + ")\r\n";
      source += "FRAMES1=loop: for 0 to 3;\r\nFRAMES2=  repeat 3 for 2;\r\n";
      source += "FRAMES3=  prob 1 of 4 goto loop;\r\nFRAMES4=goto loop;\r\n";
    }
    WriteBenchFile("small" + N(i) + ".zts", source);
  }
}

std::string ThirtyKilobyteProgram() {
  std::string program;
  int statement = 0;
  while (program.size() < 30000) {
    const int label = statement / 8;  // 200 labels over 1,600 statements
    std::string line;
    if (statement % 8 == 0) {
      line += "label_" + N(label) + ":  ";
    }
    switch (statement % 6) {
      case 0:
        line += N(statement % 16) + ";";
        break;
      case 1:
        line += "repeat " + N(statement % 16) + " for " + N(100 + statement) + ";";
        break;
      case 2:
        line += "for 0 to 15;\t;;";
        break;
      case 3:
        line += "prob 1 of 3 goto label_" + N(label) + ";";
        break;
      case 4:
        line += "goto label_" + N(label / 2) + ";";
        break;
      default:
        line += "  ;;";
        break;
    }
    program += line + (statement % 3 == 2 ? "\r\n" : " ");
    ++statement;
  }
  return program;
}

}  // namespace zet
