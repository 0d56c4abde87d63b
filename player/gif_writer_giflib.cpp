#include <gif_lib.h>

#include <algorithm>
#include <map>
#include <new>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "compiler/common/unique_resource.h"
#include "player/changed_box.h"
#include "player/gif_delays.h"
#include "player/gif_writer.h"

namespace zetplay {

namespace {

struct GifFileTraits {
  using Value = GifFileType*;
  static Value Invalid() noexcept { return nullptr; }
  static void Close(Value gif) noexcept { EGifCloseFile(gif, nullptr); }
};
struct ColourMapTraits {
  using Value = ColorMapObject*;
  static Value Invalid() noexcept { return nullptr; }
  static void Close(Value map) noexcept { GifFreeMapObject(map); }
};
using UniqueGif = zet::UniqueResource<GifFileTraits>;
using UniqueColourMap = zet::UniqueResource<ColourMapTraits>;

constexpr int kLargestDelay = 0xFFFF;  // hundredths of a second, 16 bits

// The frames shown, as palette indexes.
struct Indexed {
  std::vector<uint32_t> palette;  // 0xRRGGBB
  std::map<int, std::vector<uint8_t>> frames;
  bool quantised = false;
};

uint32_t RgbAt(const uint8_t* pixel) {
  return uint32_t{pixel[0]} << 16 | pixel[1] << 8 | pixel[2];
}

std::vector<int> FramesShown(const Animation& animation) {
  std::vector<int> frames;
  for (const Shot& shot : animation.shots) {
    frames.push_back(shot.frame);
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

// Indexes into `palette`, grown by the colours it lacks up to 256 entries;
// false when more are needed.
bool IndexExactly(const Picture& picture, int frameHeight, const std::vector<int>& frames,
                  Indexed& indexed) {
  std::unordered_map<uint32_t, uint8_t> lookup;
  for (size_t i = 0; i < indexed.palette.size(); ++i) {
    lookup.emplace(indexed.palette[i], static_cast<uint8_t>(i));
  }
  const size_t pixels = static_cast<size_t>(picture.width) * frameHeight;
  for (int frame : frames) {
    const uint8_t* rgb = FramePixels(picture, frameHeight, frame);
    std::vector<uint8_t>& plane = indexed.frames[frame];
    plane.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
      const uint32_t colour = RgbAt(rgb + 3 * i);
      auto found = lookup.find(colour);
      if (found == lookup.end()) {
        if (indexed.palette.size() == 256) {
          return false;
        }
        found = lookup.emplace(colour, static_cast<uint8_t>(indexed.palette.size())).first;
        indexed.palette.push_back(colour);
      }
      plane[i] = found->second;
    }
  }
  return true;
}

// giflib's median cut over all frames shown at once, one entry left free.
Indexed Quantise(const Picture& picture, int frameHeight, const std::vector<int>& frames) {
  const size_t pixels = static_cast<size_t>(picture.width) * frameHeight;
  std::vector<GifByteType> red, green, blue, out(pixels * frames.size());
  for (int frame : frames) {
    const uint8_t* rgb = FramePixels(picture, frameHeight, frame);
    for (size_t i = 0; i < pixels; ++i) {
      red.push_back(rgb[3 * i]);
      green.push_back(rgb[3 * i + 1]);
      blue.push_back(rgb[3 * i + 2]);
    }
  }
  int size = 255;
  std::vector<GifColorType> map(256);
  if (GifQuantizeBuffer(static_cast<unsigned>(picture.width),
                        static_cast<unsigned>(frameHeight * frames.size()), &size, red.data(),
                        green.data(), blue.data(), out.data(), map.data()) != GIF_OK) {
    throw std::bad_alloc();  // it fails only for want of memory
  }
  Indexed indexed;
  indexed.quantised = true;
  for (int i = 0; i < size; ++i) {
    indexed.palette.push_back(uint32_t{map[i].Red} << 16 | map[i].Green << 8 | map[i].Blue);
  }
  for (size_t f = 0; f < frames.size(); ++f) {
    indexed.frames[frames[f]].assign(out.begin() + f * pixels, out.begin() + (f + 1) * pixels);
  }
  return indexed;
}

Indexed IndexFrames(const Picture& picture, int frameHeight, const Animation& animation) {
  const std::vector<int> frames = FramesShown(animation);
  Indexed indexed;
  indexed.palette = picture.palette;
  if (IndexExactly(picture, frameHeight, frames, indexed)) {
    return indexed;
  }
  indexed = Indexed();
  if (IndexExactly(picture, frameHeight, frames, indexed)) {
    return indexed;
  }
  return Quantise(picture, frameHeight, frames);
}

void Check(int status, const char* what) {
  if (status != GIF_OK) {
    throw std::runtime_error(what);
  }
}

class GifStream {
 public:
  GifStream(int width, int height, const std::vector<uint32_t>& palette, int transparent)
      : width_(width), height_(height), transparent_(transparent) {
    int error = 0;
    gif_.Reset(EGifOpen(&bytes_, Append, &error));
    if (!gif_.Valid()) {
      throw std::bad_alloc();
    }
    EGifSetGifVersion(gif_.Get(), true);
    int size = 2;
    while (size < static_cast<int>(palette.size()) + (transparent >= 0 ? 1 : 0)) {
      size *= 2;
    }
    std::vector<GifColorType> colours(size, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i) {
      colours[i] = {static_cast<GifByteType>(palette[i] >> 16),
                    static_cast<GifByteType>(palette[i] >> 8),
                    static_cast<GifByteType>(palette[i])};
    }
    const UniqueColourMap map(GifMakeMapObject(size, colours.data()));
    if (!map.Valid()) {
      throw std::bad_alloc();
    }
    Check(EGifPutScreenDesc(gif_.Get(), width, height, 8, 0, map.Get()), "screen");
  }

  void LoopForever() {
    static const GifByteType kLoops[] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif_.Get(), APPLICATION_EXT_FUNC_CODE), "loop");
    Check(EGifPutExtensionBlock(gif_.Get(), 11, "NETSCAPE2.0"), "loop");
    Check(EGifPutExtensionBlock(gif_.Get(), 3, kLoops), "loop");
    Check(EGifPutExtensionTrailer(gif_.Get()), "loop");
  }

  // The rectangle `box` of `plane`; pixels equal in `before` transparent.
  void PutFrame(const uint8_t* plane, const uint8_t* before, Box box, int64_t delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = static_cast<int>(delay);
    control.TransparentColor = before && transparent_ >= 0 ? transparent_ : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif_.Get(), GRAPHICS_EXT_FUNC_CODE, 4, extension), "control");
    Check(EGifPutImageDesc(gif_.Get(), box.x, box.y, box.width, box.height, false, nullptr),
          "image");
    std::vector<GifPixelType> line(box.width);
    for (int y = box.y; y < box.y + box.height; ++y) {
      const size_t row = static_cast<size_t>(y) * width_ + box.x;
      for (int x = 0; x < box.width; ++x) {
        const bool same = before && transparent_ >= 0 && before[row + x] == plane[row + x];
        line[x] = same ? static_cast<GifPixelType>(transparent_) : plane[row + x];
      }
      Check(EGifPutLine(gif_.Get(), line.data(), box.width), "line");
    }
  }

  std::string Finish() {
    int error = 0;
    if (EGifCloseFile(gif_.Release(), &error) != GIF_OK) {
      throw std::runtime_error("close");
    }
    return bytes_;
  }

 private:
  static int Append(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
  }

  std::string bytes_;
  UniqueGif gif_;
  const int width_, height_;
  const int transparent_;
};

}  // namespace

bool GifAvailable() {
  return true;
}

Gif EncodeGif(const Picture& picture, int frameHeight, const Animation& animation) {
  const Indexed indexed = IndexFrames(picture, frameHeight, animation);
  const int transparent =
      indexed.palette.size() < 256 ? static_cast<int>(indexed.palette.size()) : -1;
  GifStream stream(picture.width, frameHeight, indexed.palette, transparent);
  const bool animated = animation.shots.size() > 1;
  if (animated && animation.loops) {
    stream.LoopForever();
  }
  std::vector<int64_t> milliseconds;
  for (const Shot& shot : animation.shots) {
    milliseconds.push_back(shot.ms);
  }
  const std::vector<int64_t> delays = GifDelays(milliseconds);
  Gif gif;
  const uint8_t* before = nullptr;
  for (size_t i = 0; i < animation.shots.size(); ++i) {
    const uint8_t* plane = indexed.frames.at(animation.shots[i].frame).data();
    Box box{0, 0, picture.width, frameHeight};
    if (before != nullptr) {
      box = ChangedBox(before, plane, picture.width, frameHeight, 1);
    }
    if (box.width == 0) {
      box = {0, 0, 1, 1};
    }
    int64_t delay = animated ? delays[i] : 0;
    gif.slowDelays += animated && delay < kSlowGifDelay ? 1 : 0;
    for (; delay > kLargestDelay; delay -= kLargestDelay, box = {0, 0, 1, 1}) {
      stream.PutFrame(plane, before, box, kLargestDelay);
      before = plane;
    }
    stream.PutFrame(plane, before, box, delay);
    before = plane;
  }
  gif.bytes = stream.Finish();
  gif.quantised = indexed.quantised;
  gif.colours = static_cast<int>(indexed.palette.size());
  return gif;
}

}  // namespace zetplay
