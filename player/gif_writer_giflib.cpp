#include <gif_lib.h>

#include <algorithm>
#include <map>
#include <new>
#include <unordered_map>
#include <vector>

#include "platform/unique_resource.h"
#include "player/changed_box.h"
#include "player/gif_delays.h"
#include "player/gif_writer.h"
#include "player/play_error.h"
#include "reader/format.h"

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
    throw PlayError{zetreader::Format("書き出しに失敗しました (%s)。", what)};
  }
}

int PowerOfTwo(int least) {
  int size = 2;
  while (size < least) {
    size *= 2;
  }
  return size;
}

UniqueColourMap MapOf(const std::vector<uint32_t>& palette, int size) {
  std::vector<GifColorType> colours(size, GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.size(); ++i) {
    colours[i] = {static_cast<GifByteType>(palette[i] >> 16),
                  static_cast<GifByteType>(palette[i] >> 8), static_cast<GifByteType>(palette[i])};
  }
  UniqueColourMap map(GifMakeMapObject(size, colours.data()));
  if (!map.Valid()) {
    throw std::bad_alloc();
  }
  return map;
}

// What a later frame does with a pixel the frame before already shows.
enum class Unchanged { Kept, Runs, Transparent };

// One frame's pixels as codes: palette indexes, or -1 where the pixel is
// left as the frame before showed it.
struct FrameCodes {
  std::vector<int> codes;
  bool used[256] = {};
  int colours = 0;
  bool clear = false;
};

// The codes as written: through `remap` into a table of `size` entries,
// the frame's own when `local` (`colours`), else the global one.
struct FramePlan {
  std::vector<int> codes;
  uint8_t remap[256] = {};
  int transparent = NO_TRANSPARENT_COLOR;
  int size = 0;
  bool local = false;
  std::vector<uint32_t> colours;
};

class GifStream {
 public:
  // The global table holds the palette entries marked in `global`, in
  // order, and a transparent entry where one is free.
  GifStream(int width, int height, const std::vector<uint32_t>& palette,
            const std::vector<bool>& global)
      : width_(width), palette_(palette), canClear_(palette.size() < 256) {
    std::vector<uint32_t> colours;
    for (size_t i = 0; i < palette.size(); ++i) {
      globalRemap_[i] = global[i] ? static_cast<int>(colours.size()) : -1;
      if (global[i]) {
        colours.push_back(palette[i]);
      }
    }
    globalTransparent_ = colours.size() < 256 ? static_cast<int>(colours.size()) : -1;
    globalSize_ = PowerOfTwo(static_cast<int>(colours.size()) + (globalTransparent_ >= 0));
    int error = 0;
    gif_.Reset(EGifOpen(&bytes_, Append, &error));
    if (!gif_.Valid()) {
      throw std::bad_alloc();
    }
    EGifSetGifVersion(gif_.Get(), true);
    const UniqueColourMap map = MapOf(colours, globalSize_);
    Check(EGifPutScreenDesc(gif_.Get(), width, height, 8, 0, map.Get()), "screen");
  }

  void LoopForever() {
    static const GifByteType kLoops[] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif_.Get(), APPLICATION_EXT_FUNC_CODE), "loop");
    Check(EGifPutExtensionBlock(gif_.Get(), 11, "NETSCAPE2.0"), "loop");
    Check(EGifPutExtensionBlock(gif_.Get(), 3, kLoops), "loop");
    Check(EGifPutExtensionTrailer(gif_.Get()), "loop");
  }

  // The rectangle `box` of `plane`, written the smallest of several ways:
  // pixels unchanged since `before` transparent, kept, or kept where they
  // continue a run; indexing the global table or a table of the frame's own,
  // whose shorter codes may save more than it costs.
  void PutFrame(const uint8_t* plane, const uint8_t* before, Box box, int64_t delay) {
    std::vector<FramePlan> plans;
    for (Unchanged unchanged : {Unchanged::Kept, Unchanged::Runs, Unchanged::Transparent}) {
      if (unchanged != Unchanged::Kept && (before == nullptr || !canClear_)) {
        continue;
      }
      const FrameCodes codes = CodesOf(plane, before, box, unchanged);
      for (bool local : {false, true}) {
        FramePlan plan = PlanOf(codes, local);
        if (plan.size > 0) {
          plans.push_back(std::move(plan));
        }
      }
    }
    size_t best = 0;
    std::vector<size_t> costs;
    for (const FramePlan& plan : plans) {
      costs.push_back(CostOf(plan, box));
      best = costs.back() < costs[best] ? costs.size() - 1 : best;
    }
    Write(plans[best], box, delay);
  }

  std::string Finish() {
    int error = 0;
    if (EGifCloseFile(gif_.Release(), &error) != GIF_OK) {
      throw PlayError{"書き出しに失敗しました (close)。"};
    }
    return bytes_;
  }

 private:
  static int Append(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
  }

  FrameCodes CodesOf(const uint8_t* plane, const uint8_t* before, Box box,
                     Unchanged unchanged) const {
    FrameCodes frame;
    frame.codes.reserve(static_cast<size_t>(box.width) * box.height);
    for (int y = box.y; y < box.y + box.height; ++y) {
      const size_t row = static_cast<size_t>(y) * width_ + box.x;
      for (int x = 0; x < box.width; ++x) {
        const uint8_t index = plane[row + x];
        const bool continues = x > 0 && frame.codes.back() == index;
        const bool same = unchanged != Unchanged::Kept && before[row + x] == index;
        if (same && !(unchanged == Unchanged::Runs && continues)) {
          frame.codes.push_back(-1);
          frame.clear = true;
          continue;
        }
        frame.codes.push_back(index);
        frame.colours += frame.used[index] ? 0 : 1;
        frame.used[index] = true;
      }
    }
    return frame;
  }

  // A plan of size 0 cannot be: a colour missing from the global table, or
  // no entry free for transparency.
  FramePlan PlanOf(const FrameCodes& codes, bool local) const {
    FramePlan plan;
    plan.codes = codes.codes;
    if (!local) {
      for (int i = 0; i < 256; ++i) {
        if (codes.used[i] && globalRemap_[i] < 0) {
          return {};
        }
        plan.remap[i] = static_cast<uint8_t>(globalRemap_[i]);
      }
      if (codes.clear && globalTransparent_ < 0) {
        return {};
      }
      plan.transparent = codes.clear ? globalTransparent_ : NO_TRANSPARENT_COLOR;
      plan.size = globalSize_;
      return plan;
    }
    for (int i = 0; i < 256; ++i) {
      if (codes.used[i]) {
        plan.remap[i] = static_cast<uint8_t>(plan.colours.size());
        plan.colours.push_back(palette_[i]);
      }
    }
    const int entries = codes.colours + (codes.clear ? 1 : 0);
    if (entries > 256) {
      return {};
    }
    plan.transparent = codes.clear ? codes.colours : NO_TRANSPARENT_COLOR;
    plan.size = PowerOfTwo(entries);
    plan.local = true;
    return plan;
  }

  static std::vector<GifPixelType> PixelsOf(const FramePlan& plan) {
    std::vector<GifPixelType> pixels(plan.codes.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      const int code = plan.codes[i];
      pixels[i] = static_cast<GifPixelType>(code < 0 ? plan.transparent : plan.remap[code]);
    }
    return pixels;
  }

  // The bytes the frame takes: its compressed pixels, written alone, and
  // its table.
  static size_t CostOf(const FramePlan& plan, Box box) {
    std::string scratch;
    int error = 0;
    UniqueGif gif(EGifOpen(&scratch, Append, &error));
    if (!gif.Valid()) {
      throw std::bad_alloc();
    }
    const UniqueColourMap map = MapOf({}, plan.size);
    Check(EGifPutScreenDesc(gif.Get(), box.width, box.height, 8, 0, map.Get()), "screen");
    PutPixels(gif.Get(), plan, box, nullptr);
    Check(EGifCloseFile(gif.Release(), &error), "close");
    return scratch.size() + (plan.local ? 3 * static_cast<size_t>(plan.size) : 0);
  }

  static void PutPixels(GifFileType* gif, const FramePlan& plan, Box box,
                        const ColorMapObject* local) {
    // giflib keeps a copy of the last frame's own table and drops it without
    // freeing when a frame has none: free it first.
    if (local == nullptr && gif->Image.ColorMap != nullptr) {
      GifFreeMapObject(gif->Image.ColorMap);
      gif->Image.ColorMap = nullptr;
    }
    Check(EGifPutImageDesc(gif, box.x, box.y, box.width, box.height, false, local), "image");
    std::vector<GifPixelType> pixels = PixelsOf(plan);
    for (int y = 0; y < box.height; ++y) {
      Check(EGifPutLine(gif, pixels.data() + static_cast<size_t>(y) * box.width, box.width),
            "line");
    }
  }

  void Write(const FramePlan& plan, Box box, int64_t delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = static_cast<int>(delay);
    control.TransparentColor = plan.transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif_.Get(), GRAPHICS_EXT_FUNC_CODE, 4, extension), "control");
    UniqueColourMap local;
    if (plan.local) {
      local = MapOf(plan.colours, plan.size);
    }
    PutPixels(gif_.Get(), plan, box, local.Get());
  }

  std::string bytes_;
  UniqueGif gif_;
  const int width_;
  const std::vector<uint32_t> palette_;  // what the planes index
  const bool canClear_;                  // an entry is free for transparency
  int globalRemap_[256];                 // palette index to global table entry, or -1
  int globalTransparent_ = -1;
  int globalSize_ = 0;
};

}  // namespace

bool GifAvailable() {
  return true;
}

namespace {

// The palette entries the first frame shows.
std::vector<bool> FirstFrameColours(const Indexed& indexed, const Animation& animation) {
  std::vector<bool> used(indexed.palette.size(), false);
  for (uint8_t index : indexed.frames.at(animation.shots[0].frame)) {
    used[index] = true;
  }
  return used;
}

std::string Write(const Picture& picture, int frameHeight, const Animation& animation,
                  const Indexed& indexed, const std::vector<bool>& global, Gif& gif) {
  GifStream stream(picture.width, frameHeight, indexed.palette, global);
  const bool animated = animation.shots.size() > 1;
  if (animated && animation.loops) {
    stream.LoopForever();
  }
  std::vector<int64_t> milliseconds;
  for (const Shot& shot : animation.shots) {
    milliseconds.push_back(shot.ms);
  }
  const std::vector<int64_t> delays = GifDelays(milliseconds);
  gif.slowDelays = 0;
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
  return stream.Finish();
}

}  // namespace

// The global table is the whole palette or the first frame's colours (the
// later frames then bring tables of their own), whichever file is smaller.
Gif EncodeGif(const Picture& picture, int frameHeight, const Animation& animation) {
  const Indexed indexed = IndexFrames(picture, frameHeight, animation);
  Gif gif;
  gif.bytes = Write(picture, frameHeight, animation, indexed,
                    std::vector<bool>(indexed.palette.size(), true), gif);
  const std::vector<bool> first = FirstFrameColours(indexed, animation);
  if (std::count(first.begin(), first.end(), true) < static_cast<long>(first.size())) {
    std::string smaller = Write(picture, frameHeight, animation, indexed, first, gif);
    if (smaller.size() < gif.bytes.size()) {
      gif.bytes = std::move(smaller);
    }
  }
  gif.quantised = indexed.quantised;
  gif.colours = static_cast<int>(indexed.palette.size());
  return gif;
}

}  // namespace zetplay
