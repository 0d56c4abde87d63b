// Benchmark of zetplay's exports (not a test): a 64-frame 96 x 96 24-bit
// strip (a ball crossing a banded background, 66 colours) played as one
// cycle and exported as GIF and APNG, in process, fastest of several runs.
// Writes into the current folder the compiled file (bench.ztr) and the 64
// frames as PPM files (frame00.ppm ...), so that player_bench.sh can time
// ImageMagick making the same GIF from the same frames.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "player/gif_writer.h"
#include "player/kind_player.h"
#include "player/png_writer.h"
#include "reader/compiled_file.h"
#include "reader/layout.h"
#include "reader/test_content.h"

namespace {

constexpr int kSide = 96;
constexpr int kFrames = 64;
constexpr int kRuns = 9;

void Rgb(int frame, int x, int y, uint8_t* out) {
  const int cx = 12 + frame * (kSide - 24) / (kFrames - 1);
  const int cy = kSide / 2 + (frame % 16 < 8 ? frame % 8 : 8 - frame % 8) * 3 - 12;
  const int dx = x - cx, dy = y - cy;
  if (dx * dx + dy * dy < 100) {
    out[0] = 230, out[1] = 40 + 2 * frame, out[2] = 40;  // one colour a frame
  } else {
    out[0] = 20, out[1] = static_cast<uint8_t>(60 + 12 * (y / 12)), out[2] = 140;
  }
}

// A bottom-up 24-bit strip, frame 0 on top.
zetreader::BitmapContent Strip() {
  zetreader::BitmapContent bitmap = zetreader::MakeBitmap(kSide, kSide * kFrames, 24);
  const int rows = kSide * kFrames;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < kSide; ++x) {
      uint8_t rgb[3];
      Rgb(y / kSide, x, y % kSide, rgb);
      uint8_t* at = &bitmap.pixels[(rows - 1 - y) * kSide * 3 + x * 3];
      at[0] = rgb[2], at[1] = rgb[1], at[2] = rgb[0];
    }
  }
  return bitmap;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<uint8_t> BenchFile() {
  zetreader::FileContent content = zetreader::WorkedLayout();
  content.bitmaps[0] = Strip();
  for (auto& kind : content.kinds) {
    kind.frameHeight = kSide;
    kind.frameTime = 40;
    kind.code = zetreader::Code({2, 0, 0, 63, 0, 3, 0, 0});  // a: for 0 to 63; goto a;
  }
  return zetreader::LayOutCompiledFile(content);
}

void WriteFrames() {
  for (int frame = 0; frame < kFrames; ++frame) {
    std::string ppm = "P6\n96 96\n255\n";
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        uint8_t rgb[3];
        Rgb(frame, x, y, rgb);
        ppm.append(reinterpret_cast<char*>(rgb), 3);
      }
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame%02d.ppm", frame);
    WriteFile(name, ppm);
  }
}

double Fastest(const std::function<void()>& work) {
  double best = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = run == 0 ? took.count() : std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main() {
  const std::vector<uint8_t> file = BenchFile();
  WriteFile("bench.ztr", std::string(file.begin(), file.end()));
  WriteFrames();
  const zetreader::FileBytes bytes{std::vector<uint8_t>(file)};
  const zetreader::CompiledFile compiled = zetreader::ReadCompiledFile(bytes);
  std::string apng, gif;
  // Decoding the strip and playing the code belong to every export.
  const auto play = [&] {
    zetplay::KindPlayer player(bytes, compiled, zetplay::Settings());
    return player.Play(0);
  };
  const double apngMs = Fastest([&] {
    const zetplay::PlayedKind kind = play();
    apng = zetplay::EncodeApng(*kind.picture, kind.frameHeight, kind.animation);
  });
  std::printf("RESULT apng_ms %.3f\nRESULT apng_bytes %zu\n", apngMs, apng.size());
  if (zetplay::GifAvailable()) {
    const double gifMs = Fastest([&] {
      const zetplay::PlayedKind kind = play();
      gif = zetplay::EncodeGif(*kind.picture, kind.frameHeight, kind.animation).bytes;
    });
    WriteFile("zetplay.gif", gif);
    std::printf("RESULT gif_ms %.3f\nRESULT gif_bytes %zu\n", gifMs, gif.size());
  }
  return 0;
}
