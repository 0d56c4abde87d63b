#include "player/png_writer.h"

#include <zlib.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "player/changed_box.h"

namespace zetplay {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

void Put32(std::string& out, uint32_t value) {
  out += static_cast<char>(value >> 24);
  out += static_cast<char>(value >> 16);
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value);
}

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value >> 8);
  out += static_cast<char>(value);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.append(type, 4);
  out += data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(out.data() + start),
                          static_cast<uInt>(out.size() - start));
  Put32(out, static_cast<uint32_t>(crc));
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) {
    return static_cast<uint8_t>(a);
  }
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Each row with the filter of the smallest sum of absolute values, the
// usual heuristic; `above` is null for the first row.
void FilterRow(const uint8_t* row, const uint8_t* above, size_t bytes, std::string& out) {
  std::string candidates[5];
  long best = -1;
  int chosen = 0;
  for (int type = 0; type < 5; ++type) {
    std::string& line = candidates[type];
    line.resize(bytes);
    long sum = 0;
    for (size_t i = 0; i < bytes; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0;
      const int b = above ? above[i] : 0;
      const int c = above && i >= 3 ? above[i - 3] : 0;
      const int predicted[5] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
      const uint8_t value = static_cast<uint8_t>(row[i] - predicted[type]);
      line[i] = static_cast<char>(value);
      sum += value < 128 ? value : 256 - value;
    }
    if (best < 0 || sum < best) {
      best = sum;
      chosen = type;
    }
  }
  out += static_cast<char>(chosen);
  out += candidates[chosen];
}

std::string Compressed(const std::string& raw) {
  uLongf length = compressBound(static_cast<uLong>(raw.size()));
  std::string out(length, '\0');
  const int status =
      compress2(reinterpret_cast<Bytef*>(out.data()), &length,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6);
  if (status != Z_OK) {
    throw std::bad_alloc();  // zlib fails only for want of memory here
  }
  out.resize(length);
  return out;
}

std::string ImageData(int width, int height, const uint8_t* rgb, size_t stride) {
  std::string raw;
  const size_t bytes = static_cast<size_t>(width) * 3;
  raw.reserve((bytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    FilterRow(rgb + y * stride, y > 0 ? rgb + (y - 1) * stride : nullptr, bytes, raw);
  }
  return Compressed(raw);
}

std::string Header(int width, int height) {
  std::string data;
  Put32(data, static_cast<uint32_t>(width));
  Put32(data, static_cast<uint32_t>(height));
  data += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  return data;
}

// A delay as a fraction of a second, exact: milliseconds, or coarser units
// for long ones; 0 when no 16-bit fraction holds it.
bool DelayOf(int64_t ms, uint16_t& numerator, uint16_t& denominator) {
  static const int64_t kUnits[][2] = {{1, 1000}, {10, 100}, {100, 10}, {1000, 1}};
  for (const auto& unit : kUnits) {
    if (ms % unit[0] == 0 && ms / unit[0] <= 0xFFFF) {
      numerator = static_cast<uint16_t>(ms / unit[0]);
      denominator = static_cast<uint16_t>(unit[1]);
      return true;
    }
  }
  return false;
}

struct ApngFrame {
  Box box;
  int64_t ms;
  const uint8_t* pixels;  // the whole frame
};

class ApngWriter {
 public:
  ApngWriter(int width, int height) : width_(width), height_(height) {}

  std::string Write(const std::vector<ApngFrame>& frames, bool loops) {
    std::string out(kSignature, 8);
    PutChunk(out, "IHDR", Header(width_, height_));
    std::string control;
    Put32(control, static_cast<uint32_t>(frames.size()));
    Put32(control, loops ? 0 : 1);
    PutChunk(out, "acTL", control);
    for (size_t i = 0; i < frames.size(); ++i) {
      WriteFrame(out, frames[i], i == 0);
    }
    PutChunk(out, "IEND", "");
    return out;
  }

 private:
  void WriteFrame(std::string& out, const ApngFrame& frame, bool first) {
    std::string control;
    Put32(control, sequence_++);
    Put32(control, static_cast<uint32_t>(frame.box.width));
    Put32(control, static_cast<uint32_t>(frame.box.height));
    Put32(control, static_cast<uint32_t>(frame.box.x));
    Put32(control, static_cast<uint32_t>(frame.box.y));
    uint16_t numerator = 0, denominator = 0;
    DelayOf(frame.ms, numerator, denominator);
    Put16(control, numerator);
    Put16(control, denominator);
    control += std::string("\x00\x00", 2);  // dispose none, blend source
    PutChunk(out, "fcTL", control);
    const size_t stride = static_cast<size_t>(width_) * 3;
    const std::string data = ImageData(
        frame.box.width, frame.box.height,
        frame.pixels + frame.box.y * stride + static_cast<size_t>(frame.box.x) * 3, stride);
    if (first) {
      PutChunk(out, "IDAT", data);
      return;
    }
    std::string numbered;
    Put32(numbered, sequence_++);
    PutChunk(out, "fdAT", numbered + data);
  }

  int width_, height_;
  uint32_t sequence_ = 0;
};

// Delays too long for one fraction are split into pieces that change
// nothing (a one-pixel rectangle of the same colour).
void AddFrame(std::vector<ApngFrame>& frames, const uint8_t* pixels, Box box, int64_t ms) {
  uint16_t numerator, denominator;
  while (!DelayOf(ms, numerator, denominator)) {
    frames.push_back({box, 0xFFFF, pixels});
    ms -= 0xFFFF;
    box = {0, 0, 1, 1};
  }
  frames.push_back({box, ms, pixels});
}

}  // namespace

std::string EncodePng(int width, int height, const uint8_t* rgb, size_t stride) {
  std::string out(kSignature, 8);
  PutChunk(out, "IHDR", Header(width, height));
  PutChunk(out, "IDAT", ImageData(width, height, rgb, stride));
  PutChunk(out, "IEND", "");
  return out;
}

std::string EncodeApng(const Picture& picture, int frameHeight, const Animation& animation) {
  const int width = picture.width;
  if (animation.still) {
    return EncodePng(width, frameHeight, FramePixels(picture, frameHeight, 0),
                     static_cast<size_t>(width) * 3);
  }
  std::vector<ApngFrame> frames;
  const uint8_t* before = nullptr;
  for (const Shot& shot : animation.shots) {
    const uint8_t* pixels = FramePixels(picture, frameHeight, shot.frame);
    Box box{0, 0, width, frameHeight};
    if (before != nullptr) {
      box = ChangedBox(before, pixels, width, frameHeight, 3);
      if (box.width == 0) {
        box = {0, 0, 1, 1};
      }
    }
    AddFrame(frames, pixels, box, shot.ms);
    before = pixels;
  }
  return ApngWriter(width, frameHeight).Write(frames, animation.loops);
}

}  // namespace zetplay
