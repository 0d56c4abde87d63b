// Benchmark of CompileSourceFile (not a test): a source with 10,000 FRAMES
// lines, and a source with five distinct 4 MB bitmaps. Writes its inputs into
// the current folder and prints the fastest and the median of several runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "compiler/common/win32_error.h"
#include "compiler/output/compile_source.h"

namespace {

constexpr int kFramesLines = 10000;
constexpr int kRuns = 7;
// 24 bits, 1024 x 1365: 4,193,334 bytes with the headers.
constexpr int kBitmapWidth = 1024;
constexpr int kBitmapHeight = 1365;

void Put32(std::string& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<char>(value >> (8 * i));
  }
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    fprintf(stderr, "cannot write %s\n", path.c_str());
    exit(2);
  }
  fclose(file);
}

std::string Bitmap(int seed, int height = kBitmapHeight) {
  const uint32_t pixels = kBitmapWidth * 3 * height;
  std::string bytes(54 + pixels, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 10, 54);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, kBitmapWidth);
  Put32(bytes, 22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (uint32_t i = 54; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i * 7 + seed);
  }
  return bytes;
}

// 5,000 frame statements (15,000 bytes of code, under the 16,384 limit) and
// 5,000 empty statements, with a label and jumps to it.
void WriteFramesSource() {
  WriteFile("frames.bmp", Bitmap(0, 64));
  std::string source = "[basis]\r\nversion=11\r\noutput=frames.ztr\r\nBITMAP=frames.bmp\r\n";
  source += "FRAMEHEIGHT=16\r\n";
  for (int n = 1; n <= kFramesLines; ++n) {
    std::string line = n == 1 ? "top: 0;" : n % 2 == 0 ? ";;" : std::to_string(n % 4) + ";";
    if (n == kFramesLines) {
      line = "goto top;";
    }
    source += "FRAMES" + std::to_string(n) + "=" + line + "\r\n";
  }
  WriteFile("frames.zts", source);
}

void WriteBitmapsSource() {
  const char* kinds[] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"};
  std::string source = "[basis]\r\nversion=11\r\noutput=bitmaps.ztr\r\nFRAMEHEIGHT=15\r\n";
  for (int k = 0; k < 5; ++k) {
    const std::string name = "strip" + std::to_string(k) + ".bmp";
    WriteFile(name, Bitmap(k));
    source += std::string("[") + kinds[k] + "]\r\nBITMAP=" + name + "\r\n";
  }
  WriteFile("bitmaps.zts", source);
}

void Measure(const char* what, const char* path) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    try {
      zet::CompileSourceFile(path);
    } catch (const std::string& message) {
      fprintf(stderr, "%s: %s", path, message.c_str());
      exit(1);
    } catch (const zet::Win32Error& error) {
      fprintf(stderr, "%s: Win32Error %u\n", path, static_cast<unsigned>(error.code));
      exit(1);
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::sort(times.begin(), times.end());
  printf("%-44s fastest %8.2f ms   median %8.2f ms   (%d runs)\n", what, times.front(),
         times[times.size() / 2], kRuns);
}

}  // namespace

int main() {
  WriteFramesSource();
  WriteBitmapsSource();
  Measure("compile: 10,000 FRAMES lines", "frames.zts");
  Measure("compile: five distinct 4 MB bitmaps", "bitmaps.zts");
  return 0;
}
