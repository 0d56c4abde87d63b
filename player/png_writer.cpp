#include "player/png_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
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

// Rows filtered for compression, each with the filter of the smallest sum
// of absolute values (the first of equal sums), the usual heuristic. Each
// predictor is computed once per byte and the buffers serve every row of an
// image: encoding is most of an export's time.
class RowFilters {
 public:
  explicit RowFilters(size_t bytes) : bytes_(bytes) {
    for (std::string& line : lines_) {
      line.resize(bytes);
    }
  }

  // Appends the filter type and the filtered row; `above` is null for the
  // first row.
  void Filter(const uint8_t* row, const uint8_t* above, std::string& out) {
    std::fill(std::begin(sums_), std::end(sums_), 0);
    const size_t edge = bytes_ < 3 ? bytes_ : 3;
    if (above == nullptr) {
      for (size_t i = 0; i < edge; ++i) {
        Put(i, row[i], 0, 0, 0);
      }
      for (size_t i = edge; i < bytes_; ++i) {
        Put(i, row[i], row[i - 3], 0, 0);
      }
    } else {
      for (size_t i = 0; i < edge; ++i) {
        Put(i, row[i], 0, above[i], 0);
      }
      for (size_t i = edge; i < bytes_; ++i) {
        Put(i, row[i], row[i - 3], above[i], above[i - 3]);
      }
    }
    int chosen = 0;
    for (int type = 1; type < kCount; ++type) {
      chosen = sums_[type] < sums_[chosen] ? type : chosen;
    }
    out += static_cast<char>(chosen);
    out += lines_[chosen];
  }

 private:
  static constexpr int kCount = 5;

  // Byte i of the row, with a its left neighbour, b the one above and c the
  // one above a (0 where there is none).
  void Put(size_t i, uint8_t x, int a, int b, int c) {
    const int predicted[kCount] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
    for (int type = 0; type < kCount; ++type) {
      const auto value = static_cast<uint8_t>(x - predicted[type]);
      lines_[type][i] = static_cast<char>(value);
      sums_[type] += std::abs(static_cast<int8_t>(value));
    }
  }

  const size_t bytes_;
  std::string lines_[kCount];
  long sums_[kCount] = {};
};

// zlib's deflate at level 6, as compress2 makes it, with one state for all
// the images of a file: a state takes some 260 KB to set up.
class Deflater {
 public:
  Deflater() {
    if (deflateInit(&stream_, 6) != Z_OK) {
      throw std::bad_alloc();  // zlib fails only for want of memory here
    }
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  std::string Compress(const std::string& raw) {
    std::string out(deflateBound(&stream_, static_cast<uLong>(raw.size())), '\0');
    deflateReset(&stream_);
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    stream_.avail_in = static_cast<uInt>(raw.size());
    stream_.next_out = reinterpret_cast<Bytef*>(out.data());
    stream_.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) {
      throw std::bad_alloc();
    }
    out.resize(stream_.total_out);
    return out;
  }

 private:
  z_stream stream_{};
};

std::string ImageData(int width, int height, const uint8_t* rgb, size_t stride,
                      Deflater& deflater) {
  std::string raw;
  const size_t bytes = static_cast<size_t>(width) * 3;
  raw.reserve((bytes + 1) * height);
  RowFilters filters(bytes);
  for (int y = 0; y < height; ++y) {
    filters.Filter(rgb + y * stride, y > 0 ? rgb + (y - 1) * stride : nullptr, raw);
  }
  return deflater.Compress(raw);
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
    const std::string data =
        ImageData(frame.box.width, frame.box.height,
                  frame.pixels + frame.box.y * stride + static_cast<size_t>(frame.box.x) * 3,
                  stride, deflater_);
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
  Deflater deflater_;
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
  Deflater deflater;
  PutChunk(out, "IDAT", ImageData(width, height, rgb, stride, deflater));
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
