// One kind of a compiled file played: its run under the player's settings,
// what the exports hold of it, and its decoded strip (kinds that share a
// bitmap share one decoded picture).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "player/animation.h"
#include "player/frame_use.h"
#include "player/picture.h"
#include "player/run.h"
#include "reader/compiled_file.h"

namespace zetplay {

struct Settings {
  int64_t unitMs = 1;       // one unit of FRAMETIME
  int64_t defaultMs = 100;  // frame time for a FRAMETIME of 0 or less
  int64_t maxMs = 10000;
  bool loop = false;
  uint64_t seed = 1;
};

// The frames a code can name: frame numbers are 16 bits.
constexpr uint32_t kAddressableFrames = 65536;

struct PlayedKind {
  int kind = 0;
  const zetreader::KindRecord* record = nullptr;
  int64_t frameMs = 0;
  int frameHeight = 0;
  uint32_t frameCount = 0;  // of the strip, at most kAddressableFrames
  Run run;
  Animation animation;
  std::vector<FrameUse> use;
  std::shared_ptr<const Picture> picture;
};

int64_t FrameMs(int32_t frameTime, const Settings& settings);

class KindPlayer {
 public:
  KindPlayer(const zetreader::FileBytes& bytes, const zetreader::CompiledFile& file,
             const Settings& settings)
      : bytes_(bytes), file_(file), settings_(settings) {}

  // Throws FileFault for a strip it cannot decode, PlayError for code that
  // would hang a player.
  PlayedKind Play(int kind);

 private:
  std::shared_ptr<const Picture> PictureOf(int kind);

  const zetreader::FileBytes& bytes_;
  const zetreader::CompiledFile& file_;
  const Settings settings_;
  std::map<uint32_t, std::shared_ptr<const Picture>> pictures_;  // by info block offset
};

}  // namespace zetplay
