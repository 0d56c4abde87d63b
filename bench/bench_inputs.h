// The inputs of the benchmarks, written into the current folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zet {

// An uncompressed 24-bit BMP file, `width` x `height`, with pixel bytes that
// depend on `seed`.
std::string BenchBitmap(int width, int height, int seed);
void WriteBenchFile(const std::string& path, const std::string& bytes);

// "frames.zts": 10,000 FRAMES lines (15,000 bytes of code with a label and a
// jump back to it).
void WriteFramesSource();

// "<stem>.zts": a source of about `bytes` that compiles, a third each of
// FRAMES lines, keys nobody reads and comments; returns its size and the
// number of its FRAMES lines.
struct LargeSource {
  size_t bytes;
  int framesLines;
};
constexpr size_t kLargeSourceBytes = 32u << 20;
LargeSource WriteLargeSource(const std::string& stem, size_t bytes);

// "<stem>.zts" and "<stem>0.bmp" ... "<stem>4.bmp": five distinct 24-bit
// bitmaps of 1024 x `height`, one per kind.
void WriteBitmapsSource(const std::string& stem, int height);

// "small<i>.zts" for i < count and the bitmap they share: a source in the
// manner of the example (texts, captions, five kinds on one 32 x 128 strip).
void WriteSmallSources(int count);

// A frames program of about 30 KB that compiles with 16 frames: every kind
// of statement, 200 labels, blanks and line breaks.
std::string ThirtyKilobyteProgram();
constexpr uint32_t kThirtyKilobyteFrames = 16;

}  // namespace zet
